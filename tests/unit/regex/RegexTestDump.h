#pragma once
// Test helpers. Dump: a parse tree node as text. Leaves print their range in hex
// ("61" or "61-63"), anchors "^" and "$", inner nodes as
// U(left,right) C(left,right) *(operand), "E" empty and "N" nothing.

#include <cstdio>
#include <string>

#include "regex/ERegExpParser.h"

#include "regex/TREParseTree.h"

namespace tagsling::regex::test {

inline std::string Dump(const TRENode* node) {
  char buffer[32];
  switch (node->kind) {
    case TRENodeKind::kLeaf:
      if (node->lo == node->hi)
        std::snprintf(buffer, sizeof buffer, "%X", node->lo);
      else
        std::snprintf(buffer, sizeof buffer, "%X-%X", node->lo, node->hi);
      return buffer;
    case TRENodeKind::kLineHead:
      return "^";
    case TRENodeKind::kLineTail:
      return "$";
    case TRENodeKind::kConcat:
      return "C(" + Dump(node->left) + "," + Dump(node->right) + ")";
    case TRENodeKind::kUnion:
      return "U(" + Dump(node->left) + "," + Dump(node->right) + ")";
    case TRENodeKind::kClosure:
      return "*(" + Dump(node->left) + ")";
    case TRENodeKind::kEmpty:
      return "E";
    case TRENodeKind::kNothing:
      return "N";
  }
  return "?";
}

// The message of the ERegExpParser that run() raises, or "" when it raises none.
template <typename Run>
std::string ErrorOf(Run run) {
  try {
    run();
  } catch (const ERegExpParser& error) {
    return error.Message();
  }
  return "";
}

}  // namespace tagsling::regex::test
