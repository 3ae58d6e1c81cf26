#pragma once
// Parse tree of a pattern. The tree owns every node; nodes refer to each
// other by plain pointers that stay valid until Reset() or destruction.
//
// Range leaves are shared: Leaf(lo, hi) returns the existing leaf with that
// range, so one range is one leaf. After NormalizeLeaves() the ranges of all
// leaves are pairwise disjoint; a leaf that had to be split is rewritten in
// place as a union of its pieces, so every node still denotes the same set of
// codes. The automaton builder relies on that: equal labels are equal ranges,
// different labels never overlap.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace tagsling::regex {

enum class TRENodeKind {
  kLeaf,      // one character whose code lies in lo..hi
  kLineHead,  // "^": an anchor at the very start of the pattern, else a literal
  kLineTail,  // "$": an anchor at the very end of the pattern, else a literal
  kConcat,    // left then right
  kUnion,     // left or right
  kClosure,   // left repeated zero or more times
  kEmpty,     // the empty string
  kNothing,   // no string at all (a negated class that excludes every code)
};

struct TRENode {
  TRENodeKind kind = TRENodeKind::kEmpty;
  std::uint16_t lo = 0;  // leaves and anchors: the range (anchors: their own character)
  std::uint16_t hi = 0;
  TRENode* left = nullptr;   // Concat, Union, Closure (the operand)
  TRENode* right = nullptr;  // Concat, Union
};

class TREParseTree {
 public:
  TREParseTree() = default;
  TREParseTree(const TREParseTree&) = delete;
  TREParseTree& operator=(const TREParseTree&) = delete;

  void Reset();

  // The shared leaf for lo..hi (lo <= hi).
  TRENode* Leaf(std::uint16_t lo, std::uint16_t hi);
  // A new inner node (anything but a leaf).
  TRENode* Make(TRENodeKind kind, TRENode* left = nullptr, TRENode* right = nullptr);
  // Left-leaning union of the given nodes; Nothing for an empty list.
  TRENode* UnionOf(const std::vector<TRENode*>& nodes);
  // "." and the base of negated classes: every code but 0, LF and CR.
  TRENode* AnyChar();

  TRENode* Root() const { return root_; }
  void SetRoot(TRENode* root) { root_ = root; }

  // Leaves in creation order (after normalisation: only unsplit leaves).
  const std::vector<TRENode*>& Leaves() const { return leaves_; }
  std::size_t NodeCount() const { return storage_.size(); }

  // Splits overlapping leaves until all leaf ranges are pairwise disjoint.
  void NormalizeLeaves();

 private:
  void Split(TRENode* a, TRENode* b);
  void Rewrite(TRENode* node, const std::vector<TRENode*>& pieces);
  TRENode* NewNode();

  std::vector<std::unique_ptr<TRENode>> storage_;    // owns every node
  std::vector<TRENode*> leaves_;                     // leaf list
  std::vector<TRENode*> inner_;                      // inner-node list
  std::map<std::uint32_t, TRENode*> leaf_by_range_;  // lo | hi << 16 -> leaf
  TRENode* root_ = nullptr;
};

// The ranges "." stands for.
struct TRERange {
  std::uint16_t lo;
  std::uint16_t hi;
};
inline constexpr TRERange kAnyCharRanges[] = {{1, 9}, {11, 12}, {14, 0xFCFC}};

}  // namespace tagsling::regex
