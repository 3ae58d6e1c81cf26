#pragma once
// Code page 932 texts written as UTF-8 in the source. "ファイル"_sjis is a
// character array holding the code page 932 bytes of the text (and the
// closing NUL), converted while compiling: it stands where a literal of hex
// bytes stood, as a const char* or a std::string_view.
//
// ASCII and the half-width katakana become one byte each; every other
// character is looked up in common/Cp932Table.inc (written by
// scripts/gen-cp932-table.py, binary search by code point). A character that
// code page 932 cannot hold, or text that is not UTF-8, is not a constant
// expression: the build stops at the literal. So a text that compiles has
// converted completely, and costs nothing at run time.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace tagsling {
namespace sjis_literal {

struct Cp932Row {
  char32_t code_point;
  std::uint16_t bytes;
};

inline constexpr Cp932Row kCp932Table[] = {
#include "common/Cp932Table.inc"
};

// The UTF-8 text of a literal, as a template argument.
template <std::size_t N>
struct Utf8Text {
  char bytes[N];
  constexpr Utf8Text(const char (&text)[N]) { std::copy_n(text, N, bytes); }
  constexpr std::size_t size() const { return N - 1; }
};

// Reads the character at `pos` and moves `pos` past it.
constexpr char32_t NextCodePoint(const char* text, std::size_t size, std::size_t& pos) {
  const auto byte = [&](std::size_t at) {
    if (at >= size) throw "a UTF-8 sequence is cut off";
    return static_cast<unsigned char>(text[at]);
  };
  const unsigned char lead = byte(pos);
  int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0) throw "not UTF-8";
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) throw "not UTF-8";
    code = code << 6 | (next & 0x3F);
  }
  pos += static_cast<std::size_t>(length);
  return code;
}

// The code page 932 bytes of one character: a value below 0x100 is one byte.
constexpr std::uint16_t Cp932Of(char32_t code) {
  if (code < 0x80) return static_cast<std::uint16_t>(code);
  if (code >= 0xFF61 && code <= 0xFF9F) return static_cast<std::uint16_t>(code - 0xFF61 + 0xA1);
  const Cp932Row* row = std::lower_bound(std::begin(kCp932Table), std::end(kCp932Table), code,
                                         [](const Cp932Row& r, char32_t c) { return r.code_point < c; });
  if (row == std::end(kCp932Table) || row->code_point != code) throw "a character code page 932 cannot hold";
  return row->bytes;
}

constexpr std::size_t Cp932Size(const char* text, std::size_t size) {
  std::size_t out = 0;
  for (std::size_t pos = 0; pos < size;) out += Cp932Of(NextCodePoint(text, size, pos)) < 0x100 ? 1 : 2;
  return out;
}

template <std::size_t N>
struct Cp932Chars {
  char chars[N];
};

template <Utf8Text text>
constexpr auto Convert() {
  Cp932Chars<Cp932Size(text.bytes, text.size()) + 1> out{};
  std::size_t at = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::uint16_t code = Cp932Of(NextCodePoint(text.bytes, text.size(), pos));
    if (code >= 0x100) out.chars[at++] = static_cast<char>(code >> 8);
    out.chars[at++] = static_cast<char>(code & 0xFF);
  }
  return out;
}

template <Utf8Text text>
inline constexpr auto kConverted = Convert<text>();

}  // namespace sjis_literal

template <sjis_literal::Utf8Text text>
constexpr const auto& operator""_sjis() {
  return sjis_literal::kConverted<text>.chars;
}

}  // namespace tagsling
