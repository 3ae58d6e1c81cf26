#pragma once
// A program started through the shell (ShellExecute with no owner window,
// shown normally), as the portable code plans it and the Windows code runs it.
// UTF-16, as the wide ShellExecute takes it: the document paths in it may
// hold characters code page 932 cannot.

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace tagsling::external {

struct ShellStart {
  platform::WideText verb = u"open";
  platform::WideText file;        // program or document to open
  platform::WideText parameters;  // the complete parameter line
  platform::WideText directory;   // working folder; "" leaves it to the shell
  bool operator==(const ShellStart&) const = default;
};

// The shell reports failure with a result of 32 or less.
constexpr bool ShellStartFailed(std::intptr_t result) { return result <= 32; }

}  // namespace tagsling::external
