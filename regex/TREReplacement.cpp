#include "regex/TREReplacement.h"

#include "common/Sjis.h"
#include "regex/RECharReader.h"

namespace tagsling::regex {

namespace {

std::string Protect(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t len = SjisCharLength(text, pos);
    if (text[pos] == '\\' && pos + 1 < text.size()) {
      std::size_t next_len = SjisCharLength(text, pos + 1);
      if (text[pos + 1] == '&') out.push_back('\\');
      out.append(text.substr(pos, 1 + next_len));
      pos += 1 + next_len;
      continue;
    }
    out.append(text.substr(pos, len));
    pos += len;
  }
  return out;
}

}  // namespace

std::string DecodeReplacement(std::string_view replacement) {
  std::string protected_text = Protect(replacement);
  std::string_view text = protected_text;
  std::string out;
  out.reserve(text.size());
  RECharReader reader(text, false);
  // The reader stops at a NUL byte; replacement texts may hold NUL bytes, so
  // each NUL is copied and reading resumes after it.
  std::size_t start = 0;
  for (;;) {
    reader.Reset(text.substr(start));
    for (std::uint16_t c = reader.Read(); c != 0; c = reader.Read())
      AppendCode(out, c == '\\' ? reader.ReadEscape() : c);
    start += reader.Mark();
    if (start >= text.size()) break;
    out.push_back('\0');
    ++start;
  }
  return out;
}

void AppendExpansion(std::string& out, std::string_view decoded, std::string_view matched) {
  for (std::size_t pos = 0; pos < decoded.size();) {
    char c = decoded[pos];
    if (c == '&') {
      out.append(matched);
      ++pos;
    } else if (c == '\\' && pos + 1 < decoded.size() && decoded[pos + 1] == '&') {
      out.push_back('&');
      pos += 2;
    } else {
      std::size_t len = SjisCharLength(decoded, pos);
      out.append(decoded.substr(pos, len));
      pos += len;
    }
  }
}

}  // namespace tagsling::regex
