#pragma once
// Pattern rewriting before compilation. Two optional passes exist in name:
// a synonym dictionary and a fuzzy-character dictionary. This program ships
// neither dictionary, so both passes leave the pattern as it is; the switches
// are kept so that changing them recompiles the current pattern.

#include <string>
#include <string_view>

namespace tagsling::regex {

class TREPreProcessor {
 public:
  bool UseSynonymDic = false;
  bool UseFuzzyCharDic = false;

  // The pattern that is compiled (and the key of the compiled-pattern cache).
  std::string Process(std::string_view pattern) const { return std::string(pattern); }
};

}  // namespace tagsling::regex
