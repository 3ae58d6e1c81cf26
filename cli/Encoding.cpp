#include "cli/Encoding.h"

#ifdef _WIN32
#include "win/WinText.h"
#else
#include <iconv.h>
#include <cerrno>
#endif

namespace tagsling::cli {

#ifdef _WIN32

std::string Utf8ToSjis(const std::string& utf8) { return win::WideToSjis(win::Utf8ToWide(utf8)); }
std::string SjisToUtf8(const std::string& sjis) { return win::WideToUtf8(win::SjisToWide(sjis)); }

platform::WideText CliCodec::SjisToWide(std::string_view sjis) {
  const std::wstring wide = win::SjisToWide(sjis);
  return platform::WideText(wide.begin(), wide.end());
}

std::string CliCodec::WideToSjis(std::u16string_view wide) {
  return win::WideToSjis(std::wstring(wide.begin(), wide.end()));
}

#else

namespace {
// iconv stops at an unconvertible sequence; we replace one byte with '?' and go on.
std::string Convert(const std::string& text, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out;
  char* in = const_cast<char*>(text.data());
  size_t in_left = text.size();
  char buffer[4096];
  while (in_left > 0) {
    char* out_ptr = buffer;
    size_t out_left = sizeof buffer;
    size_t rc = iconv(cd, &in, &in_left, &out_ptr, &out_left);
    out.append(buffer, static_cast<size_t>(out_ptr - buffer));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      out.push_back('?');
      ++in;
      --in_left;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}
}  // namespace

std::string Utf8ToSjis(const std::string& utf8) { return Convert(utf8, "UTF-8", "CP932"); }
std::string SjisToUtf8(const std::string& sjis) { return Convert(sjis, "CP932", "UTF-8"); }

platform::WideText CliCodec::SjisToWide(std::string_view sjis) {
  const std::string bytes = Convert(std::string(sjis), "CP932", "UTF-16LE");
  platform::WideText wide;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    wide.push_back(
        static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8));
  return wide;
}

std::string CliCodec::WideToSjis(std::u16string_view wide) {
  std::string bytes;
  for (char16_t unit : wide) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return Convert(bytes, "UTF-16LE", "CP932");
}

#endif

}  // namespace tagsling::cli
