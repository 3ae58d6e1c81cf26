#pragma once
// Conversion between the program's code page 932 strings and the UTF-16 text
// of the wide API. Characters code page 932 cannot hold become '?' on the way
// to code page 932, so callers keep wide text wherever it must survive.

#include <string>
#include <string_view>

#include "platform/Types.h"

namespace tagsling::platform {

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual WideText SjisToWide(std::string_view sjis) = 0;
  virtual std::string WideToSjis(std::u16string_view wide) = 0;
};

}  // namespace tagsling::platform
