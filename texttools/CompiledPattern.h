#pragma once
// The program's fixed patterns, compiled once per thread and shared by tag
// deletion and the window-title rules. The main window's single pattern
// object is re-set before every use; keeping one compiled object per fixed
// pattern gives the same matches without compiling again each time.

#include <string_view>

#include "regex/TAWKStr.h"

namespace tagsling::texttools {

// The pattern object for `pattern` (line separator CR LF). The pattern must
// be valid: an invalid one raises ERegExpParser.
const regex::TAWKStr& CompiledPattern(std::string_view pattern);

}  // namespace tagsling::texttools
