#include "external/PathText.h"

#include "common/Sjis.h"

namespace tagsling::external {

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos))
    if (pos >= from && text.compare(pos, needle.size(), needle) == 0) return pos;
  return std::string_view::npos;
}

std::string RemoveEvery(std::string_view text, std::string_view needle) {
  std::string out(text);
  for (std::size_t pos; (pos = FindText(out, needle)) != std::string::npos;) out.erase(pos, needle.size());
  return out;
}

std::string QuoteArgument(std::string_view argument) {
  std::string out = "\"";
  std::size_t backslashes = 0;  // pending run, written once its end is known
  for (std::size_t pos = 0; pos < argument.size(); pos += SjisCharLength(argument, pos)) {
    std::size_t len = SjisCharLength(argument, pos);
    if (len == 1 && argument[pos] == '\\') {
      ++backslashes;
      continue;
    }
    if (len == 1 && argument[pos] == '"') {
      out.append(backslashes * 2 + 1, '\\');
    } else {
      out.append(backslashes, '\\');
    }
    backslashes = 0;
    out.append(argument.substr(pos, len));
  }
  out.append(backslashes * 2, '\\');
  out += '"';
  return out;
}

}  // namespace tagsling::external
