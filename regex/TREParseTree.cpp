// Leaf normalisation: the leaves are taken pairwise in list order (each leaf
// against every later one). Two overlapping leaves are cut into at most three
// pieces (before the overlap, the overlap, after it); each of the two becomes
// the union of the pieces it covers, pieces being shared leaves appended to
// the list. A leaf is examined again after each split and left only when it
// overlaps no later leaf. Every split makes ranges strictly smaller, so this
// ends; the cost is quadratic in the number of leaves, which stays small for
// real patterns (the pattern length bounds it). The sets of codes that nodes
// denote never change.

#include "regex/TREParseTree.h"

#include <algorithm>
#include <stdexcept>

#include "regex/ERegExpParser.h"

namespace tagsling::regex {

namespace {

std::uint32_t RangeKey(std::uint16_t lo, std::uint16_t hi) {
  return static_cast<std::uint32_t>(lo) | static_cast<std::uint32_t>(hi) << 16;
}

bool Overlap(const TRENode* a, const TRENode* b) { return a->lo <= b->hi && b->lo <= a->hi; }

}  // namespace

void TREParseTree::Reset() {
  storage_.clear();
  leaves_.clear();
  inner_.clear();
  leaf_by_range_.clear();
  root_ = nullptr;
}

TRENode* TREParseTree::NewNode() {
  storage_.push_back(std::make_unique<TRENode>());
  return storage_.back().get();
}

TRENode* TREParseTree::Leaf(std::uint16_t lo, std::uint16_t hi) {
  auto [it, inserted] = leaf_by_range_.try_emplace(RangeKey(lo, hi), nullptr);
  if (!inserted) return it->second;
  TRENode* node = NewNode();
  node->kind = TRENodeKind::kLeaf;
  node->lo = lo;
  node->hi = hi;
  leaves_.push_back(node);
  it->second = node;
  return node;
}

TRENode* TREParseTree::Make(TRENodeKind kind, TRENode* left, TRENode* right) {
  TRENode* node = NewNode();
  node->kind = kind;
  node->left = left;
  node->right = right;
  inner_.push_back(node);
  return node;
}

TRENode* TREParseTree::UnionOf(const std::vector<TRENode*>& nodes) {
  if (nodes.empty()) return Make(TRENodeKind::kNothing);
  TRENode* result = nodes.front();
  for (std::size_t i = 1; i < nodes.size(); ++i) result = Make(TRENodeKind::kUnion, result, nodes[i]);
  return result;
}

TRENode* TREParseTree::AnyChar() {
  std::vector<TRENode*> parts;
  for (const TRERange& range : kAnyCharRanges) parts.push_back(Leaf(range.lo, range.hi));
  return UnionOf(parts);
}

void TREParseTree::NormalizeLeaves() {
  std::size_t i = 0;
  while (i < leaves_.size()) {
    TRENode* a = leaves_[i];
    bool split = false;
    if (a->kind == TRENodeKind::kLeaf) {
      for (std::size_t j = i + 1; j < leaves_.size(); ++j) {
        TRENode* b = leaves_[j];
        if (b == a || b->kind != TRENodeKind::kLeaf || !Overlap(a, b)) continue;
        Split(a, b);
        split = true;
        break;
      }
    }
    if (!split || leaves_[i]->kind != TRENodeKind::kLeaf) ++i;
  }
  std::erase_if(leaves_, [](const TRENode* node) { return node->kind != TRENodeKind::kLeaf; });
}

void TREParseTree::Split(TRENode* a, TRENode* b) {
  TRENode* first = a->lo <= b->lo ? a : b;
  TRENode* second = first == a ? b : a;
  std::uint16_t overlap_lo = second->lo;
  std::uint16_t overlap_hi = std::min(first->hi, second->hi);
  std::uint16_t top = std::max(first->hi, second->hi);
  bool has_before = first->lo < overlap_lo;
  bool has_after = overlap_hi < top;
  bool first_longer = first->hi > second->hi;

  // Decide which of the two are rewritten before creating pieces, so that a
  // piece never resolves to a node that is about to become a union.
  int first_parts = 1 + (has_before ? 1 : 0) + (has_after && first_longer ? 1 : 0);
  int second_parts = 1 + (has_after && !first_longer ? 1 : 0);
  if (first_parts > 1) leaf_by_range_.erase(RangeKey(first->lo, first->hi));
  if (second_parts > 1) leaf_by_range_.erase(RangeKey(second->lo, second->hi));

  TRENode* before = has_before ? Leaf(first->lo, static_cast<std::uint16_t>(overlap_lo - 1)) : nullptr;
  TRENode* overlap = Leaf(overlap_lo, overlap_hi);
  TRENode* after = has_after ? Leaf(static_cast<std::uint16_t>(overlap_hi + 1), top) : nullptr;

  if (first_parts > 1) {
    std::vector<TRENode*> pieces;
    if (has_before) pieces.push_back(before);
    pieces.push_back(overlap);
    if (has_after && first_longer) pieces.push_back(after);
    Rewrite(first, pieces);
  }
  if (second_parts > 1) Rewrite(second, {overlap, after});
}

void TREParseTree::Rewrite(TRENode* node, const std::vector<TRENode*>& pieces) {
  for (const TRENode* piece : pieces)
    if (!piece || piece == node) throw std::runtime_error(kMsgParseTreeFatal);
  TRENode* left = pieces[0];
  for (std::size_t i = 1; i + 1 < pieces.size(); ++i) left = Make(TRENodeKind::kUnion, left, pieces[i]);
  node->kind = TRENodeKind::kUnion;
  node->left = left;
  node->right = pieces.back();
  inner_.push_back(node);  // leaves_ drops it at the end of normalisation
}

}  // namespace tagsling::regex
