#pragma once
// Conversion between UTF-8 and Shift-JIS for the --utf8 switch.
// Characters with no Shift-JIS form become '?'; invalid input bytes too.

#include <string>

namespace tagsling::cli {

std::string Utf8ToSjis(const std::string& utf8);
std::string SjisToUtf8(const std::string& sjis);

}  // namespace tagsling::cli
