#include "texttools/CompiledPattern.h"

#include <map>
#include <memory>
#include <string>

namespace tagsling::texttools {

const regex::TAWKStr& CompiledPattern(std::string_view pattern) {
  thread_local std::map<std::string, std::unique_ptr<regex::TAWKStr>, std::less<>> compiled;
  auto found = compiled.find(pattern);
  if (found != compiled.end()) return *found->second;
  auto awk = std::make_unique<regex::TAWKStr>();
  awk->SetLineSeparator(regex::kCRLF);
  awk->SetRegExp(pattern);
  return *compiled.emplace(std::string(pattern), std::move(awk)).first->second;
}

}  // namespace tagsling::texttools
