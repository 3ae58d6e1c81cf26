#pragma once
// Recursive-descent parser for patterns (one token of look-ahead):
//   alternation := sequence { "|" sequence }
//   sequence    := empty | postfix { postfix }
//   postfix     := primary [ "*" | "+" | "?" ]
//   primary     := literal | "(" alternation ")" | class | "." | "^" | "$"
// "a+" becomes a concatenation of a and a closure of the same node, "a?" a
// union of a and the empty node. Chains are built left-leaning in loops, so
// only group nesting uses the call stack; nesting deeper than
// kMaxGroupDepth raises kMsgTooComplex. Negated classes are computed by
// subtracting the member ranges from the "." set. Cost: linear in the
// pattern, plus the leaf normalisation of TREParseTree.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "regex/TREParseTree.h"
#include "regex/TREScanner.h"

namespace tagsling::regex {

class TREParser {
 public:
  static constexpr int kMaxGroupDepth = 200;

  // The parser keeps its own copy of the pattern.
  explicit TREParser(std::string_view pattern) : pattern_(pattern), scanner_(pattern_) {}

  // Parses the whole pattern into Tree() and normalises its leaves.
  // Raises ERegExpParser on any syntax error.
  void Run();

  TREParseTree& Tree() { return tree_; }

 private:
  void Next() { token_ = scanner_.GetToken(); }
  [[noreturn]] void Fail(const char* message) const;

  TRENode* Alternation();
  TRENode* Sequence();
  TRENode* Postfix();
  TRENode* Primary();
  // Reads class items up to the closing "]" (the opening token is current).
  std::vector<TRERange> ClassItems();
  TRENode* NegatedClass(const std::vector<TRERange>& excluded);

  std::string pattern_;
  TREScanner scanner_;
  TRETokenKind token_ = TRETokenKind::kEnd;
  TREParseTree tree_;
  int depth_ = 0;
};

}  // namespace tagsling::regex
