// Fuzz target for the encodings of "Html.dat" and the settings file: the
// detection, the conversion to the program's lossless text and back, and a
// profile file changed in one key.
//
// Input layout: a NUL-terminated field made into UTF-16 (fuzz::WideFromBytes):
// the value written to [S] K; the rest of the input as the file's bytes.
//
// Checked:
// - the bytes decoded in the detected encoding encode back to exactly the
//   same bytes; decoding them in any other encoding does no harm;
// - the value converted to lossless text writes back as the same UTF-16;
// - a file nobody changed keeps its bytes; the file with the value written
//   in its own encoding reads back to the same text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/LosslessText.h"
#include "common/TextEncoding.h"
#include "fuzz/FuzzInput.h"
#include "settings/ProfileFile.h"

namespace {

using namespace tagsling;
using tagsling::fuzz::Check;

constexpr TextEncoding kEncodings[] = {TextEncoding::kCp932, TextEncoding::kUtf8, TextEncoding::kUtf8Bom,
                                       TextEncoding::kUtf16Le, TextEncoding::kUtf16Be};

bool HasSurrogateToken(const std::string& text) {
  for (std::size_t pos = 0; pos < text.size(); pos += LosslessCharLength(text, pos)) {
    const std::optional<LosslessTokenAt> token = ReadLosslessToken(text, pos);
    if (token && token->code_point >= 0xD800 && token->code_point <= 0xDFFF) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FieldReader fields(data, size);
  const std::u16string wide = fuzz::WideFromBytes(fields.Field());
  const std::string bytes = fields.Rest(64 * 1024);

  const TextEncoding detected = DetectTextEncoding(bytes);
  const std::string text = DecodeText(bytes, detected);
  Check(EncodeText(text, detected) == bytes);
  for (const TextEncoding encoding : kEncodings) {
    const std::string other = DecodeText(bytes, encoding);
    EncodeText(other, encoding);
    LosslessToUtf8(other);
  }

  // The value: UTF-16 as the wide API gives it, into lossless text.
  std::string utf16 = "\xFF\xFE";
  for (const char16_t unit : wide) {
    utf16.push_back(static_cast<char>(unit & 0xFF));
    utf16.push_back(static_cast<char>(unit >> 8));
  }
  const std::string value = DecodeText(utf16, TextEncoding::kUtf16Le);
  Check(EncodeText(value, TextEncoding::kUtf16Le) == utf16);

  settings::ProfileDocument document = settings::ProfileDocument::FromBytes(bytes);
  Check(document.Text() == text);
  Check(document.Bytes() == bytes);
  if (!document.Set("S", "K", value)) return 0;
  const std::optional<std::string> written = document.Bytes();
  // Only a text with bytes that are no character beside characters from
  // outside code page 932, or a lone surrogate, has no encoding to go to.
  if (!written) return 0;
  const settings::ProfileDocument reread = settings::ProfileDocument::FromBytes(*written);
  if (!HasSurrogateToken(value) && written == EncodeText(document.Text(), document.Encoding())) {
    Check(reread.Text() == document.Text());
    Check(reread.Get("S", "K") == document.Get("S", "K"));
  }
  return 0;
}
