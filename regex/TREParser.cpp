#include "regex/TREParser.h"

#include "regex/ERegExpParser.h"

namespace tagsling::regex {

void TREParser::Fail(const char* message) const { throw ERegExpParser(message, scanner_.Cursor()); }

void TREParser::Run() {
  tree_.Reset();
  depth_ = 0;
  Next();
  tree_.SetRoot(Alternation());
  if (token_ != TRETokenKind::kEnd) Fail(kMsgExtraCharacters);
  tree_.NormalizeLeaves();
}

TRENode* TREParser::Alternation() {
  TRENode* result = Sequence();
  while (token_ == TRETokenKind::kUnion) {
    Next();
    result = tree_.Make(TRENodeKind::kUnion, result, Sequence());
  }
  return result;
}

namespace {

bool EndsSequence(TRETokenKind token) {
  return token == TRETokenKind::kUnion || token == TRETokenKind::kGroupClose || token == TRETokenKind::kEnd;
}

}  // namespace

TRENode* TREParser::Sequence() {
  if (EndsSequence(token_)) return tree_.Make(TRENodeKind::kEmpty);
  TRENode* result = Postfix();
  while (!EndsSequence(token_)) result = tree_.Make(TRENodeKind::kConcat, result, Postfix());
  return result;
}

TRENode* TREParser::Postfix() {
  TRENode* primary = Primary();
  switch (token_) {
    case TRETokenKind::kStar:
      Next();
      return tree_.Make(TRENodeKind::kClosure, primary);
    case TRETokenKind::kPlus:
      Next();
      return tree_.Make(TRENodeKind::kConcat, primary, tree_.Make(TRENodeKind::kClosure, primary));
    case TRETokenKind::kQuestion:
      Next();
      return tree_.Make(TRENodeKind::kUnion, primary, tree_.Make(TRENodeKind::kEmpty));
    default:
      return primary;
  }
}

TRENode* TREParser::Primary() {
  TRENode* node = nullptr;
  switch (token_) {
    case TRETokenKind::kLiteral:
      node = tree_.Leaf(scanner_.Code(), scanner_.Code());
      break;
    case TRETokenKind::kGroupOpen:
      if (++depth_ > kMaxGroupDepth) Fail(kMsgTooComplex);
      Next();
      node = Alternation();
      if (token_ != TRETokenKind::kGroupClose) Fail(kMsgRightParenNeeded);
      --depth_;
      break;
    case TRETokenKind::kClassOpen: {
      std::vector<TRENode*> members;
      for (const TRERange& range : ClassItems()) members.push_back(tree_.Leaf(range.lo, range.hi));
      node = tree_.UnionOf(members);
      break;
    }
    case TRETokenKind::kNegClassOpen:
      node = NegatedClass(ClassItems());
      break;
    case TRETokenKind::kAnyChar:
      node = tree_.AnyChar();
      break;
    case TRETokenKind::kLineHead:
    case TRETokenKind::kLineTail: {
      // Where "^" or "$" is not an anchor the automaton builder uses the
      // literal character; its leaf exists from now on so that leaf
      // normalisation keeps it disjoint from every other range.
      std::uint16_t code = token_ == TRETokenKind::kLineHead ? '^' : '$';
      tree_.Leaf(code, code);
      node = tree_.Make(token_ == TRETokenKind::kLineHead ? TRENodeKind::kLineHead : TRENodeKind::kLineTail);
      node->lo = node->hi = code;
      break;
    }
    default:
      Fail(kMsgCharOrLeftParenNeeded);
  }
  Next();
  return node;
}

std::vector<TRERange> TREParser::ClassItems() {
  std::vector<TRERange> items;
  for (Next(); token_ != TRETokenKind::kClassClose; Next()) items.push_back({scanner_.Code(), scanner_.UpperCode()});
  if (items.empty()) Fail(kMsgInvalidClass);  // "[]" and "[]a]"
  return items;
}

TRENode* TREParser::NegatedClass(const std::vector<TRERange>& excluded) {
  // Subtract every member from the "." ranges. A range that overlaps is
  // replaced by what lies below and above the member; new parts go to the end
  // of the list and are examined in turn.
  std::vector<TRERange> remaining(std::begin(kAnyCharRanges), std::end(kAnyCharRanges));
  for (const TRERange& cut : excluded) {
    std::vector<TRERange> next;
    std::vector<TRERange> appended;
    for (const TRERange& range : remaining) {
      if (range.hi < cut.lo || cut.hi < range.lo) {
        next.push_back(range);
        continue;
      }
      if (range.lo < cut.lo) appended.push_back({range.lo, static_cast<std::uint16_t>(cut.lo - 1)});
      if (cut.hi < range.hi) appended.push_back({static_cast<std::uint16_t>(cut.hi + 1), range.hi});
    }
    next.insert(next.end(), appended.begin(), appended.end());
    remaining = std::move(next);
  }
  std::vector<TRENode*> members;
  for (const TRERange& range : remaining) members.push_back(tree_.Leaf(range.lo, range.hi));
  return tree_.UnionOf(members);  // Nothing when every code is excluded
}

}  // namespace tagsling::regex
