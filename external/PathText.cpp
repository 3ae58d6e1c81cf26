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

namespace {

// Offset just past the last "\" or ":" that is a character of its own.
std::size_t FileNameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t pos = 0; pos < path.size(); pos += SjisCharLength(path, pos))
    if (SjisCharLength(path, pos) == 1 && (path[pos] == '\\' || path[pos] == ':')) start = pos + 1;
  return start;
}

}  // namespace

std::string FolderPart(std::string_view path) { return std::string(path.substr(0, FileNameStart(path))); }

std::string FileNamePart(std::string_view path) { return std::string(path.substr(FileNameStart(path))); }

std::string ContainingFolder(std::string_view path) {
  std::string folder = FolderPart(path);
  if (folder.size() < 2 || folder.back() != '\\') return folder;
  // A root ("C:\", "\\") keeps its backslash: without it the text would
  // name the drive's current folder instead.
  std::string_view rest(folder.data(), folder.size() - 1);
  if (FileNameStart(rest) == rest.size()) return folder;
  folder.pop_back();
  return folder;
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
