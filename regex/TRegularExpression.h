#pragma once
// Compiling patterns and keeping the automata of recently used ones.
//
// The cache holds at most kCacheLimit entries, each a pattern text with its
// automaton. Entry 0 is always the empty pattern, compiled at construction.
// Setting a pattern already cached makes it current without moving it; a new
// pattern is inserted at index 1 (evicting the last entry when the cache is
// full), parsed, and turned into a TRE_NFA and then a TRE_DFA. Parse tree and
// NFA are dropped once the DFA exists.
//
// Errors: a bad pattern raises ERegExpParser; the new entry is removed, the
// empty pattern becomes current and RegExp() is cleared, so the object keeps
// working (the empty pattern matches the empty string at the start of any
// text). The object owns every cached automaton.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regex/TREPreProcessor.h"
#include "regex/TRE_DFA.h"

namespace tagsling::regex {

class TRegularExpression {
 public:
  static constexpr std::size_t kCacheLimit = 30;

  TRegularExpression();
  virtual ~TRegularExpression();
  TRegularExpression(const TRegularExpression&) = delete;
  TRegularExpression& operator=(const TRegularExpression&) = delete;

  // The current pattern. Setting it compiles (or finds the cached automaton).
  const std::string& RegExp() const { return reg_exp_; }
  void SetRegExp(std::string_view pattern);

  // Pattern rewriting switches; changing one compiles the current pattern again.
  bool UseFuzzyCharDic() const { return pre_processor_.UseFuzzyCharDic; }
  void SetUseFuzzyCharDic(bool value);
  bool UseSynonymDic() const { return pre_processor_.UseSynonymDic; }
  void SetUseSynonymDic(bool value);

  // The codes that stand for the two anchors in automaton labels; both lie
  // above every character code (the largest is 0xFCFC).
  virtual std::uint16_t LineHeadCode() const { return 0xFFFD; }
  virtual std::uint16_t LineTailCode() const { return 0xFFFE; }

  // The automaton of the current pattern and its anchor flags.
  const TRE_DFA& CurrentDFA() const { return *cache_[current_].dfa; }
  bool HeadAnchored() const { return CurrentDFA().HeadAnchored(); }
  bool TailAnchored() const { return CurrentDFA().TailAnchored(); }

  // The cache, for inspection: entry count, pattern of an entry (after
  // rewriting), and the index of the current entry.
  std::size_t CacheCount() const { return cache_.size(); }
  const std::string& CachedPattern(std::size_t index) const { return cache_[index].pattern; }
  std::size_t CurrentIndex() const { return current_; }

 protected:
  // Called after every change of the current pattern (also after a failure).
  virtual void PatternChanged() {}

 private:
  struct Entry {
    std::string pattern;
    std::unique_ptr<TRE_DFA> dfa;
  };
  static std::unique_ptr<TRE_DFA> Compile(std::string_view pattern);
  void Recompile();

  std::vector<Entry> cache_;
  std::size_t current_ = 0;
  std::string reg_exp_;
  TREPreProcessor pre_processor_;
};

}  // namespace tagsling::regex
