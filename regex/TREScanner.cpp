#include "regex/TREScanner.h"

#include "regex/ERegExpParser.h"

namespace tagsling::regex {

TRETokenKind TREScanner::GetToken() {
  if (in_class_) return ClassItem();
  std::uint16_t c = reader_.Read();
  code_ = upper_ = c;
  switch (c) {
    case 0:
      return TRETokenKind::End;
    case '|':
      return TRETokenKind::Union;
    case '(':
      return TRETokenKind::GroupOpen;
    case ')':
      return TRETokenKind::GroupClose;
    case '*':
      return TRETokenKind::Star;
    case '+':
      return TRETokenKind::Plus;
    case '?':
      return TRETokenKind::Question;
    case ']':
      return TRETokenKind::ClassClose;
    case '.':
      return TRETokenKind::AnyChar;
    case '^':
      return TRETokenKind::LineHead;
    case '$':
      return TRETokenKind::LineTail;
    case '[': {
      std::size_t mark = reader_.Mark();
      std::uint16_t next = reader_.Read();
      if (next == 0) throw ERegExpParser(kMsgRightBracketNeeded, Cursor());
      in_class_ = true;
      if (next == '^') return TRETokenKind::NegClassOpen;
      reader_.Restore(mark);
      return TRETokenKind::ClassOpen;
    }
    case '\\':
      code_ = upper_ = reader_.ReadEscape();
      return TRETokenKind::Literal;
    default:
      return TRETokenKind::Literal;
  }
}

TRETokenKind TREScanner::ClassItem() {
  std::uint16_t first = reader_.Read();
  if (first == ']') {
    in_class_ = false;
    code_ = upper_ = first;
    return TRETokenKind::ClassClose;
  }
  if (first == 0) throw ERegExpParser(kMsgRightBracketNeeded, Cursor());
  if (first == '\\') first = reader_.ReadEscape();
  code_ = upper_ = first;

  std::size_t after_first = reader_.Mark();
  std::uint16_t next = reader_.Read();
  if (next == 0) throw ERegExpParser(kMsgRightBracketNeeded, Cursor());
  if (next != '-') {
    reader_.Restore(after_first);
    return TRETokenKind::Literal;
  }
  std::uint16_t last = reader_.Read();
  if (last == 0) throw ERegExpParser(kMsgRightBracketNeeded, Cursor());
  if (last == ']') {  // "[a-]": the "-" is a member of its own
    reader_.Restore(after_first);
    return TRETokenKind::Literal;
  }
  if (last == '\\') last = reader_.ReadEscape();
  if (last < first) throw ERegExpParser(kMsgInvalidRange, Cursor());
  upper_ = last;
  return TRETokenKind::Range;
}

}  // namespace tagsling::regex
