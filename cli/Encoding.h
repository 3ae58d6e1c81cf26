#pragma once
// Conversion between UTF-8 and Shift-JIS for the --utf8 switch.
// Characters with no Shift-JIS form become '?'; invalid input bytes too.

#include <string>

#include "platform/TextCodec.h"

namespace tagsling::cli {

std::string Utf8ToSjis(const std::string& utf8);
std::string SjisToUtf8(const std::string& sjis);

// Code page 932 and UTF-16 for the verbs that work on paths (the core keeps
// paths in UTF-16); the same replacement rule.
class CliCodec final : public platform::TextCodec {
 public:
  platform::WideText SjisToWide(std::string_view sjis) override;
  std::string WideToSjis(std::u16string_view wide) override;
};

}  // namespace tagsling::cli
