#pragma once
// Text conversions of tagsling-cli.
//
// With --utf8, arguments, standard input and output are UTF-8 and every
// character survives: text becomes the core's Shift-JIS bytes in the
// lossless form (texttools/LosslessSjis: characters code page 932 cannot
// hold travel as tokens) and comes back from it. Invalid UTF-8 reads as
// U+FFFD. Without --utf8 the bytes are Shift-JIS as they are; on Windows
// the arguments come from the UTF-16 command line and become code page 932
// whatever the system's ANSI code page.

#include <string>
#include <string_view>
#include <vector>

#include "platform/TextCodec.h"

namespace tagsling::cli {

std::string Utf8ToLossless(std::string_view utf8);
std::string LosslessToUtf8(std::string_view sjis);

// UTF-8 and UTF-16 of any text; invalid UTF-8 and lone surrogates become U+FFFD.
platform::WideText Utf8ToWideText(std::string_view utf8);
std::string WideTextToUtf8(std::u16string_view wide);

// The command-line arguments after the program name: UTF-8 on Windows (from
// the UTF-16 command line), the bytes as given elsewhere.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
// An argument of CommandLineArguments as code page 932 bytes, without --utf8.
std::string ArgumentToSjis(const std::string& argument);

// The verbs' Shift-JIS and UTF-16 for those that work on paths (the core
// keeps paths in UTF-16): code page 932 in the lossless form, so a path
// given with --utf8 names its file whatever characters it holds.
class CliCodec final : public platform::TextCodec {
 public:
  platform::WideText SjisToWide(std::string_view sjis) override;
  std::string WideToSjis(std::u16string_view wide) override;
};

}  // namespace tagsling::cli
