#include "common/TextEncoding.h"

#include <vector>

#include "common/Cp932.h"
#include "common/LosslessText.h"
#include "common/Sjis.h"

namespace tagsling {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
// Bytes of a marked UTF-8 file that are no UTF-8 travel as these lone
// surrogates (which no valid UTF-8 holds).
constexpr char32_t kEscapedByteBase = 0xDC00;

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

bool IsSurrogate(char32_t code_point) { return code_point >= 0xD800 && code_point <= 0xDFFF; }

// The UTF-8 sequence at `pos`: its code point and length, or nullopt when
// the bytes there are no well-formed sequence (cut off, overlong, a
// surrogate, beyond U+10FFFF).
struct Utf8Char {
  char32_t code_point;
  std::size_t length;
};
std::optional<Utf8Char> ReadUtf8(std::string_view bytes, std::size_t pos) {
  const unsigned lead = static_cast<unsigned char>(bytes[pos]);
  if (lead < 0x80) return Utf8Char{lead, 1};
  std::size_t length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (pos + length > bytes.size()) return std::nullopt;
  char32_t code_point = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const unsigned next = static_cast<unsigned char>(bytes[pos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code_point = code_point << 6 | (next & 0x3F);
  }
  if (code_point < minimum || code_point > 0x10FFFF || IsSurrogate(code_point)) return std::nullopt;
  return Utf8Char{code_point, length};
}

bool IsMultiByteUtf8(std::string_view bytes) {
  bool multi_byte = false;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::optional<Utf8Char> c = ReadUtf8(bytes, pos);
    if (!c) return false;
    multi_byte = multi_byte || c->length > 1;
    pos += c->length;
  }
  return multi_byte;
}

bool IsEscapedByte(char32_t code_point) {
  return code_point >= kEscapedByteBase + 0x80 && code_point <= kEscapedByteBase + 0xFF;
}

void AppendUtf8(std::string& out, char32_t code_point) {
  if (IsEscapedByte(code_point)) {
    out.push_back(static_cast<char>(code_point - kEscapedByteBase));
  } else if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | code_point >> 6));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | code_point >> 12));
    out.push_back(static_cast<char>(0x80 | (code_point >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | code_point >> 18));
    out.push_back(static_cast<char>(0x80 | (code_point >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

// One character into the lossless text: its code page 932 bytes when they
// hold it, else a token (always for DEL, the token mark itself).
void AppendLossless(std::string& out, char32_t code_point) {
  if (code_point < 0x7F) {
    out.push_back(static_cast<char>(code_point));
    return;
  }
  const std::optional<std::string> bytes = code_point == 0x7F ? std::nullopt : Cp932Bytes(code_point);
  out += bytes ? *bytes : LosslessToken(code_point);
}

// The code points of lossless text; a byte that is no character gives
// `replacement`, or nullopt when there is none.
std::optional<std::vector<char32_t>> CodePoints(std::string_view text, std::optional<char32_t> replacement) {
  std::vector<char32_t> code_points;
  code_points.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (const std::optional<LosslessTokenAt> token = ReadLosslessToken(text, pos)) {
      code_points.push_back(token->code_point);
      pos = token->end;
      continue;
    }
    if (const std::optional<char32_t> code_point = Cp932CodePoint(text, pos)) {
      code_points.push_back(*code_point);
      pos += SjisCharLength(text, pos);
      continue;
    }
    // One byte is replaced: the next may start a character (or a token).
    if (!replacement) return std::nullopt;
    code_points.push_back(*replacement);
    ++pos;
  }
  return code_points;
}

std::string DecodeUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    if (const std::optional<Utf8Char> c = ReadUtf8(bytes, pos)) {
      AppendLossless(text, c->code_point);
      pos += c->length;
    } else {
      text += LosslessToken(kEscapedByteBase + static_cast<unsigned char>(bytes[pos]));
      ++pos;
    }
  }
  return text;
}

std::string DecodeUtf16(std::string_view bytes, bool big_endian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
    const unsigned first = static_cast<unsigned char>(bytes[pos]);
    const unsigned second = static_cast<unsigned char>(bytes[pos + 1]);
    units.push_back(static_cast<char16_t>(big_endian ? first << 8 | second : second << 8 | first));
  }
  std::string text;
  text.reserve(units.size());
  for (std::size_t pos = 0; pos < units.size(); ++pos) {
    char32_t code_point = units[pos];
    // A pair is one character; a lone surrogate is kept as it is, as a token.
    if (code_point >= 0xD800 && code_point <= 0xDBFF && pos + 1 < units.size() && units[pos + 1] >= 0xDC00 &&
        units[pos + 1] <= 0xDFFF) {
      code_point = 0x10000 + ((code_point - 0xD800) << 10) + (units[++pos] - 0xDC00);
    }
    AppendLossless(text, code_point);
  }
  return text;
}

std::optional<std::string> EncodeCp932(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::optional<LosslessTokenAt> token = ReadLosslessToken(text, pos);
    if (!token) {
      // Code page 932 bytes are written as they are, valid or not.
      bytes.push_back(text[pos++]);
      continue;
    }
    if (token->code_point == 0x7F) {
      bytes.push_back('\x7F');
    } else if (const std::optional<std::string> code = Cp932Bytes(token->code_point)) {
      bytes += *code;
    } else {
      return std::nullopt;
    }
    pos = token->end;
  }
  return bytes;
}

// UTF-8 has no surrogates: the escaped bytes of a marked file go back as
// those bytes (`escapes`), any other lone surrogate cannot be written.
std::optional<std::string> EncodeUtf8(const std::vector<char32_t>& code_points, bool escapes) {
  std::string bytes;
  bytes.reserve(code_points.size() * 2);
  for (const char32_t code_point : code_points) {
    if (IsSurrogate(code_point) && !(escapes && IsEscapedByte(code_point))) return std::nullopt;
    AppendUtf8(bytes, code_point);
  }
  return bytes;
}

std::string EncodeUtf16(const std::vector<char32_t>& code_points, bool big_endian) {
  std::u16string units;
  for (const char32_t code_point : code_points) AppendUtf16(units, code_point);
  std::string bytes(big_endian ? kUtf16BeMark : kUtf16LeMark);
  for (const char16_t unit : units) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes.push_back(big_endian ? high : low);
    bytes.push_back(big_endian ? low : high);
  }
  return bytes;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (StartsWith(bytes, kUtf8Mark)) return TextEncoding::kUtf8Bom;
  if (bytes.size() % 2 == 0 && StartsWith(bytes, kUtf16LeMark)) return TextEncoding::kUtf16Le;
  if (bytes.size() % 2 == 0 && StartsWith(bytes, kUtf16BeMark)) return TextEncoding::kUtf16Be;
  if (IsMultiByteUtf8(bytes)) return TextEncoding::kUtf8;
  return TextEncoding::kCp932;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      return DecodeUtf8(bytes);
    case TextEncoding::kUtf8Bom:
      return DecodeUtf8(StartsWith(bytes, kUtf8Mark) ? bytes.substr(kUtf8Mark.size()) : bytes);
    case TextEncoding::kUtf16Le:
    case TextEncoding::kUtf16Be: {
      const std::string_view mark = encoding == TextEncoding::kUtf16Be ? kUtf16BeMark : kUtf16LeMark;
      return DecodeUtf16(StartsWith(bytes, mark) ? bytes.substr(mark.size()) : bytes,
                         encoding == TextEncoding::kUtf16Be);
    }
    case TextEncoding::kCp932:
      break;
  }
  // Code page 932 stays as it is; only DEL, the token mark, becomes a token.
  std::string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    if (byte == kLosslessMark)
      text += LosslessToken(0x7F);
    else
      text.push_back(byte);
  }
  return text;
}

std::optional<std::string> EncodeText(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::kCp932) return EncodeCp932(text);
  const std::optional<std::vector<char32_t>> code_points = CodePoints(text, std::nullopt);
  if (!code_points) return std::nullopt;
  switch (encoding) {
    case TextEncoding::kUtf8:
      return EncodeUtf8(*code_points, false);
    case TextEncoding::kUtf8Bom: {
      const std::optional<std::string> bytes = EncodeUtf8(*code_points, true);
      if (!bytes) return std::nullopt;
      return std::string(kUtf8Mark) + *bytes;
    }
    case TextEncoding::kUtf16Le:
      return EncodeUtf16(*code_points, false);
    case TextEncoding::kUtf16Be:
    case TextEncoding::kCp932:
      break;
  }
  return EncodeUtf16(*code_points, true);
}

std::string LosslessToUtf8(std::string_view text) {
  const std::vector<char32_t> code_points = *CodePoints(text, U'?');
  std::string bytes;
  for (const char32_t code_point : code_points)
    AppendUtf8(bytes, IsSurrogate(code_point) && !IsEscapedByte(code_point) ? U'?' : code_point);
  return bytes;
}

}  // namespace tagsling
