#pragma once
// Conversion between UTF-8 and the program's lossless Shift-JIS
// (common/LosslessText.h) for the --utf8 switch: every character and every
// stray input byte comes back out unchanged; bytes that are no Shift-JIS
// character become '?' on the way out.

#include <string>
#include <vector>

#include "platform/TextCodec.h"

namespace tagsling::cli {

std::string Utf8ToSjis(const std::string& utf8);
std::string SjisToUtf8(const std::string& sjis);

// The program's arguments after the program name. On Windows they come from
// the UTF-16 command line, so no character is lost to the ANSI code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Lossless code page 932 and UTF-16 for the verbs that work on paths (the
// core keeps paths in UTF-16).
class CliCodec final : public platform::TextCodec {
 public:
  platform::WideText SjisToWide(std::string_view sjis) override;
  std::string WideToSjis(std::u16string_view wide) override;
};

}  // namespace tagsling::cli
