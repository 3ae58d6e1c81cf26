#include "regex/TREParseTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "RegexTestDump.h"

namespace tagsling::regex {
namespace {

using Intervals = std::vector<std::pair<unsigned, unsigned>>;

// The codes a node denotes, as sorted merged intervals.
void Collect(const TRENode* node, Intervals& out) {
  if (node->kind == TRENodeKind::kLeaf) {
    out.emplace_back(node->lo, node->hi);
  } else {
    Collect(node->left, out);
    Collect(node->right, out);
  }
}

Intervals CodesOf(const TRENode* node) {
  Intervals raw;
  Collect(node, raw);
  std::sort(raw.begin(), raw.end());
  Intervals merged;
  for (const auto& range : raw) {
    if (!merged.empty() && range.first <= merged.back().second + 1)
      merged.back().second = std::max(merged.back().second, range.second);
    else
      merged.push_back(range);
  }
  return merged;
}

TEST(TREParseTreeTest, LeavesAreShared) {
  TREParseTree tree;
  EXPECT_EQ(tree.Leaf(0x61, 0x63), tree.Leaf(0x61, 0x63));
  EXPECT_NE(tree.Leaf(0x61, 0x63), tree.Leaf(0x61, 0x62));
  EXPECT_EQ(tree.Leaves().size(), 2u);
}

TEST(TREParseTreeTest, SplitsOverlapsIntoSharedPieces) {
  TREParseTree tree;
  TRENode* single = tree.Leaf(0x61, 0x61);
  TRENode* range = tree.Leaf(0x61, 0x63);
  TRENode* other = tree.Leaf(0x62, 0x65);
  tree.NormalizeLeaves();
  EXPECT_EQ(test::Dump(single), "61");  // a leaf equal to a piece stays that leaf
  EXPECT_EQ(CodesOf(range), (Intervals{{0x61, 0x63}}));
  EXPECT_EQ(CodesOf(other), (Intervals{{0x62, 0x65}}));
}

TEST(TREParseTreeTest, RandomLeavesBecomeDisjointAndKeepTheirSets) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    TREParseTree tree;
    std::vector<std::pair<TRENode*, Intervals>> originals;
    int count = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
      auto lo = static_cast<std::uint16_t>(random() % 40);
      auto hi = static_cast<std::uint16_t>(lo + random() % 20);
      originals.emplace_back(tree.Leaf(lo, hi), Intervals{{lo, hi}});
    }
    tree.NormalizeLeaves();
    for (const auto& [node, codes] : originals) EXPECT_EQ(CodesOf(node), codes);
    const std::vector<TRENode*>& leaves = tree.Leaves();
    for (std::size_t i = 0; i < leaves.size(); ++i) {
      ASSERT_EQ(leaves[i]->kind, TRENodeKind::kLeaf);
      for (std::size_t j = i + 1; j < leaves.size(); ++j)
        EXPECT_TRUE(leaves[i]->hi < leaves[j]->lo || leaves[j]->hi < leaves[i]->lo);
    }
  }
}

}  // namespace
}  // namespace tagsling::regex
