#include "regex/TREScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "regex/ERegExpParser.h"

namespace tagsling::regex {
namespace {

// Tokens of a whole pattern as text: "L41" literal 0x41, "R61-63" range,
// and one letter for each metacharacter token.
std::string Tokens(const std::string& pattern) {
  TREScanner scanner(pattern);
  std::string out;
  char buffer[32];
  for (;;) {
    TRETokenKind kind = scanner.GetToken();
    switch (kind) {
      case TRETokenKind::kEnd:
        return out;
      case TRETokenKind::kLiteral:
        std::snprintf(buffer, sizeof buffer, "L%X ", scanner.Code());
        out += buffer;
        break;
      case TRETokenKind::kRange:
        std::snprintf(buffer, sizeof buffer, "R%X-%X ", scanner.Code(), scanner.UpperCode());
        out += buffer;
        break;
      case TRETokenKind::kUnion:
        out += "| ";
        break;
      case TRETokenKind::kGroupOpen:
        out += "( ";
        break;
      case TRETokenKind::kGroupClose:
        out += ") ";
        break;
      case TRETokenKind::kStar:
        out += "* ";
        break;
      case TRETokenKind::kPlus:
        out += "+ ";
        break;
      case TRETokenKind::kQuestion:
        out += "? ";
        break;
      case TRETokenKind::kClassOpen:
        out += "[ ";
        break;
      case TRETokenKind::kNegClassOpen:
        out += "[^ ";
        break;
      case TRETokenKind::kClassClose:
        out += "] ";
        break;
      case TRETokenKind::kAnyChar:
        out += ". ";
        break;
      case TRETokenKind::kLineHead:
        out += "^ ";
        break;
      case TRETokenKind::kLineTail:
        out += "$ ";
        break;
    }
  }
}

struct TokenCase {
  std::string pattern;
  const char* tokens;
};

TEST(TREScannerTest, TokensAndEscapes) {
  const TokenCase cases[] = {
      {"", ""},
      {"a|(b)*+?.^$", "L61 | ( L62 ) * + ? . ^ $ "},
      {"\\b\\n\\r\\t", "L8 LA LD L9 "},
      {"\\x41\\x4aG\\x8140", "L41 L4A L47 L8140 "},  // hex stops at a non-digit, which is read again
      {"\\x12345", "L1234 L35 "},                    // at most four hex digits
      {"\\101\\0\\177777", "L41 L0 LFFFF "},
      {"\\.\\[\\]\\-\\\\", "L2E L5B L5D L2D L5C "},
      {"\\\x82\xa0", "L82A0 "},  // escaped double-byte character
      {"\x95\x5c"
       "a",
       "L955C L61 "},  // trail byte 0x5C is not a backslash
      {"]", "] "},
      {"[a-c-e]", "[ R61-63 L2D L65 ] "},
      {"[a-]", "[ L61 L2D ] "},
      {"[-a]", "[ L2D L61 ] "},
      {"[^a]", "[^ L61 ] "},
      {"[a^]", "[ L61 L5E ] "},
      {"[\\[\\]]", "[ L5B L5D ] "},
      {"[.*+?()|$]", "[ L2E L2A L2B L3F L28 L29 L7C L24 ] "},
      {"[ \x81\x40]", "[ L20 L8140 ] "},
      {"[\x82\x9f-\x82\xf1]", "[ R829F-82F1 ] "},
      {"[\\x41-\\x5a]", "[ R41-5A ] "},
      {"[]", "[ ] "},
      {std::string("a\0b", 3), "L61 "},  // a NUL byte ends the pattern (the literal stops at it)
  };
  for (const TokenCase& c : cases) EXPECT_EQ(Tokens(c.pattern), c.tokens) << c.pattern;
}

struct ErrorCase {
  std::string pattern;
  const char* message;
  std::size_t position;
};

TEST(TREScannerTest, ErrorsCarryMessageAndPosition) {
  const ErrorCase cases[] = {
      {"ab\x82", kMsgInvalidDoubleByte, 3},
      {"[\x82", kMsgInvalidDoubleByte, 2},
      {"a\\", kMsgCharacterAfterBackslash, 3},
      {"\\x", kMsgInvalidHex, 3},
      {"\\xg", kMsgInvalidHex, 3},
      {"\\777777", kMsgInvalidOctal, 8},
      {"[", kMsgRightBracketNeeded, 2},
      {"[a", kMsgRightBracketNeeded, 3},
      {"[a-", kMsgRightBracketNeeded, 4},
      {"[a-b", kMsgRightBracketNeeded, 5},
      {"[c-a]", kMsgInvalidRange, 5},
      {"[\\x8140-\\x41]", kMsgInvalidRange, 13},
  };
  for (const ErrorCase& c : cases) {
    try {
      Tokens(c.pattern);
      ADD_FAILURE() << c.pattern << ": no error";
    } catch (const ERegExpParser& error) {
      EXPECT_STREQ(error.Message(), c.message) << c.pattern;
      EXPECT_EQ(error.Position(), c.position) << c.pattern;
    }
  }
}

}  // namespace
}  // namespace tagsling::regex
