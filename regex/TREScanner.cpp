#include "regex/TREScanner.h"

#include "regex/ERegExpParser.h"

namespace tagsling::regex {

TRETokenKind TREScanner::GetToken() {
  if (in_class_) return ClassItem();
  std::uint16_t c = reader_.Read();
  code_ = upper_ = c;
  switch (c) {
    case 0:
      return TRETokenKind::kEnd;
    case '|':
      return TRETokenKind::kUnion;
    case '(':
      return TRETokenKind::kGroupOpen;
    case ')':
      return TRETokenKind::kGroupClose;
    case '*':
      return TRETokenKind::kStar;
    case '+':
      return TRETokenKind::kPlus;
    case '?':
      return TRETokenKind::kQuestion;
    case ']':
      return TRETokenKind::kClassClose;
    case '.':
      return TRETokenKind::kAnyChar;
    case '^':
      return TRETokenKind::kLineHead;
    case '$':
      return TRETokenKind::kLineTail;
    case '[': {
      std::size_t mark = reader_.Mark();
      std::uint16_t next = reader_.Read();
      if (next == 0) throw ERegExpParser(kMsgRightBracketNeeded, Cursor());
      in_class_ = true;
      if (next == '^') return TRETokenKind::kNegClassOpen;
      reader_.Restore(mark);
      return TRETokenKind::kClassOpen;
    }
    case '\\':
      code_ = upper_ = reader_.ReadEscape();
      return TRETokenKind::kLiteral;
    default:
      return TRETokenKind::kLiteral;
  }
}

TRETokenKind TREScanner::ClassItem() {
  std::uint16_t first = reader_.Read();
  if (first == ']') {
    in_class_ = false;
    code_ = upper_ = first;
    return TRETokenKind::kClassClose;
  }
  if (first == 0) throw ERegExpParser(kMsgRightBracketNeeded, Cursor());
  if (first == '\\') first = reader_.ReadEscape();
  code_ = upper_ = first;

  std::size_t after_first = reader_.Mark();
  std::uint16_t next = reader_.Read();
  if (next == 0) throw ERegExpParser(kMsgRightBracketNeeded, Cursor());
  if (next != '-') {
    reader_.Restore(after_first);
    return TRETokenKind::kLiteral;
  }
  std::uint16_t last = reader_.Read();
  if (last == 0) throw ERegExpParser(kMsgRightBracketNeeded, Cursor());
  if (last == ']') {  // "[a-]": the "-" is a member of its own
    reader_.Restore(after_first);
    return TRETokenKind::kLiteral;
  }
  if (last == '\\') last = reader_.ReadEscape();
  if (last < first) throw ERegExpParser(kMsgInvalidRange, Cursor());
  upper_ = last;
  return TRETokenKind::kRange;
}

}  // namespace tagsling::regex
