#include "regex/TRE_NFA.h"

#include <stdexcept>

#include "regex/ERegExpParser.h"

namespace tagsling::regex {

int TRE_NFA::NewState() {
  if (states_.size() >= kMaxStates) throw ERegExpParser(kMsgTooComplex, 0);
  states_.emplace_back();
  return static_cast<int>(states_.size() - 1);
}

void TRE_NFA::Add(int from, TRELabelKind kind, std::uint16_t lo, std::uint16_t hi, int to) {
  if (++transition_count_ > kMaxTransitions) throw ERegExpParser(kMsgTooComplex, 0);
  states_[static_cast<std::size_t>(from)].push_back({kind, lo, hi, to});
}

TRE_NFA::TRE_NFA(const TREParseTree& tree) {
  NewState();  // kInitial
  NewState();  // kFinal
  struct Work {
    const TRENode* node;
    int from;
    int to;
  };
  std::vector<Work> stack{{tree.Root(), kInitial, kFinal}};
  while (!stack.empty()) {
    Work work = stack.back();
    stack.pop_back();
    const TRENode* node = work.node;
    if (!node) throw std::runtime_error(kMsgNfaCannotHappen);
    switch (node->kind) {
      case TRENodeKind::kLeaf:
        Add(work.from, TRELabelKind::kRange, node->lo, node->hi, work.to);
        break;
      case TRENodeKind::kLineHead:
      case TRENodeKind::kLineTail: {
        bool head = node->kind == TRENodeKind::kLineHead;
        bool anchor = head ? work.from == kInitial : work.to == kFinal;
        if (anchor) {
          (head ? head_anchored_ : tail_anchored_) = true;
          Add(work.from, head ? TRELabelKind::kLineHead : TRELabelKind::kLineTail, 0, 0, work.to);
        } else {
          Add(work.from, TRELabelKind::kRange, node->lo, node->hi, work.to);  // the literal "^" or "$"
        }
        break;
      }
      case TRENodeKind::kConcat: {
        int middle = NewState();
        stack.push_back({node->right, middle, work.to});
        stack.push_back({node->left, work.from, middle});
        break;
      }
      case TRENodeKind::kUnion:
        stack.push_back({node->right, work.from, work.to});
        stack.push_back({node->left, work.from, work.to});
        break;
      case TRENodeKind::kClosure: {
        int loop_in = NewState();
        int loop_out = NewState();
        Add(work.from, TRELabelKind::kEpsilon, 0, 0, loop_in);
        Add(loop_out, TRELabelKind::kEpsilon, 0, 0, loop_in);
        Add(loop_in, TRELabelKind::kEpsilon, 0, 0, work.to);
        stack.push_back({node->left, loop_in, loop_out});
        break;
      }
      case TRENodeKind::kEmpty:
        Add(work.from, TRELabelKind::kEpsilon, 0, 0, work.to);
        break;
      case TRENodeKind::kNothing:
        break;  // no transition: the node matches no string
      default:
        throw std::runtime_error(kMsgNfaCannotHappen);
    }
  }
}

}  // namespace tagsling::regex
