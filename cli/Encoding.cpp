#include "cli/Encoding.h"

#include "texttools/LosslessSjis.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "win/WinText.h"
#else
#include <iconv.h>
#include <cerrno>
#endif

namespace tagsling::cli {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point of the UTF-8 sequence at `pos`, advancing `pos`; U+FFFD
// for a byte that starts no valid sequence (overlong forms, surrogates and
// values past U+10FFFF included), which is then skipped alone.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t code_point = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, code_point = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code_point = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code_point = lead & 0x07, smallest = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + length > text.size()) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    code_point = code_point << 6 | (next & 0x3F);
  }
  if (code_point < smallest || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return code_point;
}

void AppendUtf8(std::string& out, char32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | code_point >> 6);
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | code_point >> 12);
    out += static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code_point >> 18);
    out += static_cast<char>(0x80 | (code_point >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

}  // namespace

platform::WideText Utf8ToWideText(std::string_view utf8) {
  platform::WideText wide;
  wide.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t code_point = DecodeUtf8(utf8, pos);
    if (code_point < 0x10000) {
      wide.push_back(static_cast<char16_t>(code_point));
    } else {
      wide.push_back(static_cast<char16_t>(0xD800 + ((code_point - 0x10000) >> 10)));
      wide.push_back(static_cast<char16_t>(0xDC00 + ((code_point - 0x10000) & 0x3FF)));
    }
  }
  return wide;
}

std::string WideTextToUtf8(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    char32_t code_point = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      code_point = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      code_point = kReplacement;
    }
    AppendUtf8(out, code_point);
  }
  return out;
}

namespace {

// Plain code page 932: characters it has no form for become '?'.
class Cp932Codec final : public platform::TextCodec {
 public:
  platform::WideText SjisToWide(std::string_view sjis) override;
  std::string WideToSjis(std::u16string_view wide) override;
};

}  // namespace

std::string Utf8ToLossless(std::string_view utf8) {
  Cp932Codec codec;
  return texttools::ToLosslessSjis(Utf8ToWideText(utf8), codec);
}

std::string LosslessToUtf8(std::string_view sjis) {
  Cp932Codec codec;
  return WideTextToUtf8(texttools::FromLosslessSjis(sjis, codec));
}

platform::WideText CliCodec::SjisToWide(std::string_view sjis) {
  Cp932Codec codec;
  return texttools::FromLosslessSjis(sjis, codec);
}

std::string CliCodec::WideToSjis(std::u16string_view wide) {
  Cp932Codec codec;
  return texttools::ToLosslessSjis(platform::WideText(wide), codec);
}

#ifdef _WIN32

std::vector<std::string> CommandLineArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  if (!wide) return arguments;
  for (int i = 1; i < count; ++i) {
    const std::wstring_view argument(wide[i]);
    arguments.push_back(
        WideTextToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(argument.data()), argument.size())));
  }
  LocalFree(wide);
  return arguments;
}

std::string ArgumentToSjis(const std::string& argument) { return Cp932Codec().WideToSjis(Utf8ToWideText(argument)); }

platform::WideText Cp932Codec::SjisToWide(std::string_view sjis) {
  const std::wstring wide = win::SjisToWide(sjis);
  return platform::WideText(wide.begin(), wide.end());
}

std::string Cp932Codec::WideToSjis(std::u16string_view wide) {
  return win::WideToSjis(std::wstring(wide.begin(), wide.end()));
}

#else

namespace {
// iconv stops at an unconvertible sequence; we replace one unit with '?' and go on.
std::string Convert(std::string_view text, const char* from, const char* to, std::size_t unit) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  std::string input(text);
  std::string out;
  char* in = input.data();
  size_t in_left = input.size();
  char buffer[4096];
  while (in_left > 0) {
    char* out_ptr = buffer;
    size_t out_left = sizeof buffer;
    size_t rc = iconv(cd, &in, &in_left, &out_ptr, &out_left);
    out.append(buffer, static_cast<size_t>(out_ptr - buffer));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      out.push_back('?');
      if (std::string_view(to) == "UTF-16LE") out.push_back('\0');
      const std::size_t skip = in_left < unit ? in_left : unit;
      in += skip;
      in_left -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}
}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

std::string ArgumentToSjis(const std::string& argument) { return argument; }

platform::WideText Cp932Codec::SjisToWide(std::string_view sjis) {
  const std::string bytes = Convert(sjis, "CP932", "UTF-16LE", 1);
  platform::WideText wide;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    wide.push_back(
        static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8));
  return wide;
}

std::string Cp932Codec::WideToSjis(std::u16string_view wide) {
  std::string bytes;
  for (char16_t unit : wide) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return Convert(bytes, "UTF-16LE", "CP932", 2);
}

#endif

}  // namespace tagsling::cli
