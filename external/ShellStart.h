#pragma once
// A program started through the shell (ShellExecute with no owner window,
// shown normally), as the portable code plans it and the Windows code runs it.

#include <cstdint>
#include <string>

namespace tagsling::external {

struct ShellStart {
  std::string verb = "open";
  std::string file;        // program or document to open
  std::string parameters;  // the complete parameter line
  std::string directory;   // working folder; "" leaves it to the shell
  bool operator==(const ShellStart&) const = default;
};

// The shell reports failure with a result of 32 or less.
constexpr bool ShellStartFailed(std::intptr_t result) { return result <= 32; }

}  // namespace tagsling::external
