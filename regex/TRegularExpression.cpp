#include "regex/TRegularExpression.h"

#include "regex/TREParser.h"
#include "regex/TRE_NFA.h"

namespace tagsling::regex {

std::unique_ptr<TRE_DFA> TRegularExpression::Compile(std::string_view pattern) {
  TREParser parser(pattern);
  parser.Run();
  TRE_NFA nfa(parser.Tree());
  return std::make_unique<TRE_DFA>(nfa);
}

TRegularExpression::TRegularExpression() { cache_.push_back({std::string(), Compile({})}); }

TRegularExpression::~TRegularExpression() = default;

void TRegularExpression::SetRegExp(std::string_view pattern) {
  std::string key = pre_processor_.Process(pattern);
  for (std::size_t i = 0; i < cache_.size(); ++i) {
    if (cache_[i].pattern != key) continue;
    current_ = i;
    reg_exp_ = std::string(pattern);
    PatternChanged();
    return;
  }
  if (cache_.size() >= kCacheLimit) cache_.pop_back();
  try {
    std::unique_ptr<TRE_DFA> dfa = Compile(key);
    cache_.insert(cache_.begin() + 1, Entry{std::move(key), std::move(dfa)});
    current_ = 1;
    reg_exp_ = std::string(pattern);
  } catch (...) {
    current_ = 0;
    reg_exp_.clear();
    PatternChanged();
    throw;
  }
  PatternChanged();
}

void TRegularExpression::SetUseFuzzyCharDic(bool value) {
  if (pre_processor_.UseFuzzyCharDic == value) return;
  pre_processor_.UseFuzzyCharDic = value;
  Recompile();
}

void TRegularExpression::SetUseSynonymDic(bool value) {
  if (pre_processor_.UseSynonymDic == value) return;
  pre_processor_.UseSynonymDic = value;
  Recompile();
}

void TRegularExpression::Recompile() {
  std::string pattern = reg_exp_;
  SetRegExp(pattern);
}

}  // namespace tagsling::regex
