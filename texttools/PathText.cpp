#include "texttools/PathText.h"

#include <vector>

#include "common/Sjis.h"

namespace tagsling::texttools {

std::size_t LastDelimiter(std::string_view path, std::string_view delimiters) {
  std::size_t last = std::string_view::npos;
  for (std::size_t pos = 0; pos < path.size(); pos += SjisCharLength(path, pos)) {
    if (SjisCharLength(path, pos) == 1 && delimiters.find(path[pos]) != std::string_view::npos) last = pos;
  }
  return last;
}

std::string FileNamePart(std::string_view path) {
  std::size_t at = LastDelimiter(path, "\\:");
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string FolderPart(std::string_view path) {
  std::size_t at = LastDelimiter(path, "\\:");
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string FileExtension(std::string_view path) {
  std::size_t at = LastDelimiter(path, "\\:.");
  if (at == std::string_view::npos || path[at] != '.') return {};
  return std::string(path.substr(at));
}

std::string ChangeFileExtension(std::string_view path, std::string_view extension) {
  std::size_t at = LastDelimiter(path, "\\:.");
  std::string_view stem = at != std::string_view::npos && path[at] == '.' ? path.substr(0, at) : path;
  return std::string(stem) + std::string(extension);
}

std::string FolderWithoutTrailingSeparator(std::string_view path) {
  std::string folder = FolderPart(path);
  // "C:\" and "\" are roots; "C:" has no separator to remove.
  bool root = folder == "\\" || (folder.size() == 3 && folder[1] == ':' && folder[2] == '\\');
  if (!root && EndsWithBackslash(folder)) folder.pop_back();
  return folder;
}

bool EndsWithBackslash(std::string_view path) {
  std::size_t at = LastDelimiter(path, "\\");
  return at != std::string_view::npos && at + 1 == path.size();
}

std::string ReplaceSingleByteChar(std::string_view text, char from, char to) {
  std::string result(text);
  for (std::size_t pos = 0; pos < result.size(); pos += SjisCharLength(result, pos)) {
    if (SjisCharLength(result, pos) == 1 && result[pos] == from) result[pos] = to;
  }
  return result;
}

std::string RemoveSingleByteChars(std::string_view text, std::string_view characters) {
  std::string result;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = SjisCharLength(text, pos);
    if (length != 1 || characters.find(text[pos]) == std::string_view::npos) result.append(text.substr(pos, length));
    pos += length;
  }
  return result;
}

std::string TrimBlanks(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string AsciiUpper(std::string_view text) {
  std::string result(text);
  for (std::size_t pos = 0; pos < result.size(); pos += SjisCharLength(result, pos)) {
    if (result[pos] >= 'a' && result[pos] <= 'z') result[pos] = static_cast<char>(result[pos] - 'a' + 'A');
  }
  return result;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) { return SjisToLower(a) == SjisToLower(b); }

std::string DrivePart(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':' && !IsSjisLeadByte(static_cast<unsigned char>(path[0]))) {
    return std::string(path.substr(0, 2));
  }
  if (path.substr(0, 2) == "\\\\") {
    int backslashes = 0;
    for (std::size_t pos = 0; pos < path.size(); pos += SjisCharLength(path, pos)) {
      if (SjisCharLength(path, pos) == 1 && path[pos] == '\\' && ++backslashes == 4) {
        return std::string(path.substr(0, pos));
      }
    }
    return std::string(path);
  }
  return {};
}

namespace {

// The folder names of a path below its drive part.
std::vector<std::string> FolderComponents(std::string_view path) {
  std::string folder = FolderPart(path);
  std::size_t drive = DrivePart(path).size();
  std::string_view rest = drive < folder.size() ? std::string_view(folder).substr(drive) : std::string_view();
  std::vector<std::string> components;
  std::string current;
  bool any = false;
  for (std::size_t pos = 0; pos < rest.size();) {
    std::size_t length = SjisCharLength(rest, pos);
    if (length == 1 && rest[pos] == '\\') {
      // The empty text before a leading backslash is no folder.
      if (any || pos > 0) components.push_back(current);
      current.clear();
      any = true;
    } else {
      current.append(rest.substr(pos, length));
    }
    pos += length;
  }
  // A folder part ends in "\" (the empty text after it is no folder) or in a
  // ":" that is not the drive's; what precedes such a ":" is kept.
  if (!current.empty()) components.push_back(current);
  return components;
}

}  // namespace

std::string RelativePath(std::string_view base, std::string_view file) {
  if (!SameTextIgnoringCase(DrivePart(base), DrivePart(file))) return std::string(file);
  std::vector<std::string> base_folders = FolderComponents(base);
  std::vector<std::string> file_folders = FolderComponents(file);
  std::size_t common = 0;
  while (common < base_folders.size() && common < file_folders.size() &&
         SameTextIgnoringCase(base_folders[common], file_folders[common])) {
    ++common;
  }
  std::string result;
  for (std::size_t i = common; i < base_folders.size(); ++i) result += "..\\";
  for (std::size_t i = common; i < file_folders.size(); ++i) result += file_folders[i] + "\\";
  return result + FileNamePart(file);
}

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

}  // namespace tagsling::texttools
