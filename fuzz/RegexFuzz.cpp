// Fuzz target for the pattern library: arbitrary bytes as pattern, text and
// replacement. Input layout: byte 0 options (bit 0 line separator LF, bit 1
// a second pattern after the first), byte 1 pattern length, byte 2
// replacement length, then the pattern, the replacement and the text. Sizes
// are capped so that each input does bounded work.
//
// Besides "no crash, no sanitizer finding" it checks invariants: the match
// lies inside the text, Sub and Match agree, GSub with "&" gives the text
// back unchanged, and GSub with "" removes exactly what the matches cover.
// On texts up to 256 bytes it also runs the three searches of the matcher
// from the start of the text and from the character starts near the
// position given by the option byte's upper bits, and checks them against
// the plainest search there is (every start, one run each; see
// RestartingSearch.h), with dead pairs remembered and not.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "regex/TAWKStr.h"
#include "tests/unit/regex/RestartingSearch.h"

namespace {

constexpr std::size_t kMaxPattern = 48;
constexpr std::size_t kMaxReplacement = 16;
constexpr std::size_t kMaxText = 2048;
constexpr std::size_t kMaxComparedText = 256;  // the restarting search is quadratic

void Check(bool condition) {
  if (!condition) std::abort();
}

// Every search of the matcher against the restarting search, from the
// start and from a few character starts after `from`.
void CompareSearches(const tagsling::regex::TAWKStr& awk, const std::string& text, std::size_t from) {
  tagsling::regex::test::RestartingSearch reference(awk.CurrentDFA(), text, awk.SeparatorByte());
  tagsling::regex::TREMatcher usual = awk.MatcherFor(text);
  tagsling::regex::TREMatcher remembering = awk.MatcherFor(text);
  remembering.SetRememberAfter(0);
  std::size_t pos = 0;
  for (int tried = 0; tried < 4; ++tried) {
    auto scan = reference.Scan(pos);
    auto plain = reference.PlainSearch(pos);
    auto anchored = reference.AnchoredSearch(pos);
    for (tagsling::regex::TREMatcher* matcher : {&usual, &remembering}) {
      Check(matcher->Scan(pos) == scan);
      Check(matcher->PlainSearch(pos) == plain);
      Check(matcher->AnchoredSearch(pos) == anchored);
    }
    if (pos >= usual.Length()) break;
    if (tried == 0) {  // on to the character start at or after `from`
      while (pos < from && pos < usual.Length()) pos += reference.CharLength(pos);
    } else {
      pos += reference.CharLength(pos);
    }
  }
}

void Exercise(tagsling::regex::TAWKStr& awk, const std::string& text, const std::string& replacement) {
  std::size_t searched = text.find('\0');
  if (searched == std::string::npos) searched = text.size();

  std::size_t position = 0, length = 0;
  std::size_t result = awk.Match(text, position, length);
  Check(result == position);
  Check(position == 0 ? length == 0 : position - 1 + length <= searched);

  std::string same = text;
  std::size_t count = awk.GSub("&", same);
  Check(same == text);
  Check((count == 0) == (position == 0));

  std::string removed = text;
  awk.GSub("", removed);
  Check(removed.size() <= text.size());

  std::string once = text;
  bool replaced = false;
  try {
    replaced = awk.Sub(replacement, once);
  } catch (const tagsling::regex::ERegExpParser&) {
    Check(once == text);  // a bad replacement leaves the text alone
    return;
  }
  Check(replaced == (position != 0));
  std::string many = text;
  awk.GSub(replacement, many);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  std::uint8_t options = data[0];
  std::size_t pattern_length = data[1] % (kMaxPattern + 1);
  std::size_t replacement_length = data[2] % (kMaxReplacement + 1);
  const char* bytes = reinterpret_cast<const char*>(data + 3);
  std::size_t rest = size - 3;
  pattern_length = pattern_length < rest ? pattern_length : rest;
  std::string pattern(bytes, pattern_length);
  rest -= pattern_length;
  replacement_length = replacement_length < rest ? replacement_length : rest;
  std::string replacement(bytes + pattern_length, replacement_length);
  rest -= replacement_length;
  std::string text(bytes + pattern_length + replacement_length, rest < kMaxText ? rest : kMaxText);

  static tagsling::regex::TAWKStr awk;  // shared across inputs: exercises the cache too
  awk.SetLineSeparator(options & 1 ? tagsling::regex::kLF : tagsling::regex::kCRLF);
  try {
    awk.SetRegExp(pattern);
  } catch (const tagsling::regex::ERegExpParser&) {
    Check(awk.RegExp().empty() && awk.CurrentIndex() == 0);
  }
  Exercise(awk, text, replacement);
  if (text.size() <= kMaxComparedText) CompareSearches(awk, text, options >> 2);
  if (options & 2) {
    // The text doubles as a second pattern (capped), the pattern as its text.
    try {
      awk.SetRegExp(text.substr(0, kMaxPattern));
    } catch (const tagsling::regex::ERegExpParser&) {
    }
    Exercise(awk, pattern, replacement);
  }
  return 0;
}
