#include "texttools/PathText.h"

#include <type_traits>
#include <vector>

#include "common/Sjis.h"

namespace tagsling::texttools {

namespace {

// One implementation for both forms: a code page 932 string steps by
// characters (a double-byte pair stays whole), a UTF-16 string by code
// units. Only ASCII characters are ever looked for, and neither a trail
// byte nor a surrogate half is taken for one since every test below asks
// first whether the character is a single unit.
template <typename Char>
using View = std::basic_string_view<Char>;
template <typename Char>
using Text = std::basic_string<Char>;

std::size_t CharLength(std::string_view text, std::size_t pos) { return SjisCharLength(text, pos); }
std::size_t CharLength(std::u16string_view, std::size_t) { return 1; }

// Whether the character at `pos` is the ASCII character `ascii`.
template <typename Char>
bool IsAsciiAt(View<Char> text, std::size_t pos, char ascii) {
  return CharLength(text, pos) == 1 && text[pos] == static_cast<Char>(ascii);
}

template <typename Char>
bool IsOneOf(Char c, std::string_view ascii_set) {
  for (char a : ascii_set)
    if (c == static_cast<Char>(a)) return true;
  return false;
}

template <typename Char>
Text<Char> FromAscii(std::string_view ascii) {
  return Text<Char>(ascii.begin(), ascii.end());
}

template <typename Char>
std::size_t LastDelimiterOf(View<Char> path, std::string_view delimiters) {
  std::size_t last = View<Char>::npos;
  for (std::size_t pos = 0; pos < path.size(); pos += CharLength(path, pos)) {
    if (CharLength(path, pos) == 1 && IsOneOf(path[pos], delimiters)) last = pos;
  }
  return last;
}

template <typename Char>
Text<Char> FileNameOf(View<Char> path) {
  std::size_t at = LastDelimiterOf(path, "\\:");
  return Text<Char>(at == View<Char>::npos ? path : path.substr(at + 1));
}

template <typename Char>
Text<Char> FolderOf(View<Char> path) {
  std::size_t at = LastDelimiterOf(path, "\\:");
  return at == View<Char>::npos ? Text<Char>() : Text<Char>(path.substr(0, at + 1));
}

template <typename Char>
Text<Char> ExtensionOf(View<Char> path) {
  std::size_t at = LastDelimiterOf(path, "\\:.");
  if (at == View<Char>::npos || path[at] != static_cast<Char>('.')) return {};
  return Text<Char>(path.substr(at));
}

template <typename Char>
Text<Char> WithExtension(View<Char> path, View<Char> extension) {
  std::size_t at = LastDelimiterOf(path, "\\:.");
  View<Char> stem = at != View<Char>::npos && path[at] == static_cast<Char>('.') ? path.substr(0, at) : path;
  return Text<Char>(stem) + Text<Char>(extension);
}

template <typename Char>
bool EndsInBackslash(View<Char> path) {
  std::size_t at = LastDelimiterOf(path, "\\");
  return at != View<Char>::npos && at + 1 == path.size();
}

template <typename Char>
Text<Char> FolderWithoutSeparator(View<Char> path) {
  Text<Char> folder = FolderOf(path);
  // "C:\" and "\" are roots; "C:" has no separator to remove.
  bool root = folder == FromAscii<Char>("\\") ||
              (folder.size() == 3 && folder[1] == static_cast<Char>(':') && folder[2] == static_cast<Char>('\\'));
  if (!root && EndsInBackslash(View<Char>(folder))) folder.pop_back();
  return folder;
}

template <typename Char>
Text<Char> Trimmed(View<Char> text) {
  auto blank = [](Char c) { return static_cast<std::make_unsigned_t<Char>>(c) <= ' '; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return Text<Char>(text.substr(begin, end - begin));
}

template <typename Char>
Text<Char> UpperAscii(View<Char> text) {
  Text<Char> result(text);
  for (std::size_t pos = 0; pos < result.size(); pos += CharLength(View<Char>(result), pos)) {
    if (result[pos] >= static_cast<Char>('a') && result[pos] <= static_cast<Char>('z'))
      result[pos] = static_cast<Char>(result[pos] - 'a' + 'A');
  }
  return result;
}

// "X:" needs a first character that code page 932 writes in one byte (a
// lead byte followed by ":" is one double-byte character): ASCII or a
// half-width katakana. Both forms agree on every name.
bool SingleFirstCharacter(std::string_view path) { return !IsSjisLeadByte(static_cast<unsigned char>(path[0])); }
bool SingleFirstCharacter(std::u16string_view path) {
  return path[0] < 0x80 || (path[0] >= 0xFF61 && path[0] <= 0xFF9F);
}

template <typename Char>
Text<Char> DriveOf(View<Char> path) {
  if (path.size() >= 2 && path[1] == static_cast<Char>(':') && SingleFirstCharacter(path)) {
    return Text<Char>(path.substr(0, 2));
  }
  if (path.size() >= 2 && path[0] == static_cast<Char>('\\') && path[1] == static_cast<Char>('\\')) {
    int backslashes = 0;
    for (std::size_t pos = 0; pos < path.size(); pos += CharLength(path, pos)) {
      if (IsAsciiAt(path, pos, '\\') && ++backslashes == 4) return Text<Char>(path.substr(0, pos));
    }
    return Text<Char>(path);
  }
  return {};
}

// The folder names of a path below its drive part.
template <typename Char>
std::vector<Text<Char>> FolderComponents(View<Char> path) {
  Text<Char> folder = FolderOf(path);
  std::size_t drive = DriveOf(path).size();
  View<Char> rest = drive < folder.size() ? View<Char>(folder).substr(drive) : View<Char>();
  std::vector<Text<Char>> components;
  Text<Char> current;
  bool any = false;
  for (std::size_t pos = 0; pos < rest.size();) {
    std::size_t length = CharLength(rest, pos);
    if (IsAsciiAt(rest, pos, '\\')) {
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

template <typename Char>
Text<Char> Relative(View<Char> base, View<Char> file) {
  if (!SameTextIgnoringCase(View<Char>(DriveOf(base)), View<Char>(DriveOf(file)))) return Text<Char>(file);
  std::vector<Text<Char>> base_folders = FolderComponents(base);
  std::vector<Text<Char>> file_folders = FolderComponents(file);
  std::size_t common = 0;
  while (common < base_folders.size() && common < file_folders.size() &&
         SameTextIgnoringCase(View<Char>(base_folders[common]), View<Char>(file_folders[common]))) {
    ++common;
  }
  Text<Char> result;
  for (std::size_t i = common; i < base_folders.size(); ++i) result += FromAscii<Char>("..\\");
  for (std::size_t i = common; i < file_folders.size(); ++i) result += file_folders[i] + static_cast<Char>('\\');
  return result + FileNameOf(file);
}

template <typename Char>
Text<Char> Quoted(View<Char> argument) {
  Text<Char> out(1, static_cast<Char>('"'));
  std::size_t backslashes = 0;  // pending run, written once its end is known
  for (std::size_t pos = 0; pos < argument.size(); pos += CharLength(argument, pos)) {
    std::size_t len = CharLength(argument, pos);
    if (IsAsciiAt(argument, pos, '\\')) {
      ++backslashes;
      continue;
    }
    if (IsAsciiAt(argument, pos, '"')) {
      out.append(backslashes * 2 + 1, static_cast<Char>('\\'));
    } else {
      out.append(backslashes, static_cast<Char>('\\'));
    }
    backslashes = 0;
    out.append(argument.substr(pos, len));
  }
  out.append(backslashes * 2, static_cast<Char>('\\'));
  out += static_cast<Char>('"');
  return out;
}

}  // namespace

std::size_t LastDelimiter(std::string_view path, std::string_view delimiters) {
  return LastDelimiterOf(path, delimiters);
}

std::string FileNamePart(std::string_view path) { return FileNameOf(path); }
WideText FileNamePart(std::u16string_view path) { return FileNameOf(path); }
std::string FolderPart(std::string_view path) { return FolderOf(path); }
WideText FolderPart(std::u16string_view path) { return FolderOf(path); }
std::string FileExtension(std::string_view path) { return ExtensionOf(path); }
WideText FileExtension(std::u16string_view path) { return ExtensionOf(path); }

std::string ChangeFileExtension(std::string_view path, std::string_view extension) {
  return WithExtension(path, extension);
}
WideText ChangeFileExtension(std::u16string_view path, std::u16string_view extension) {
  return WithExtension(path, extension);
}

std::string FolderWithoutTrailingSeparator(std::string_view path) { return FolderWithoutSeparator(path); }
WideText FolderWithoutTrailingSeparator(std::u16string_view path) { return FolderWithoutSeparator(path); }
bool EndsWithBackslash(std::string_view path) { return EndsInBackslash(path); }
bool EndsWithBackslash(std::u16string_view path) { return EndsInBackslash(path); }

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

std::string TrimBlanks(std::string_view text) { return Trimmed(text); }
WideText TrimBlanks(std::u16string_view text) { return Trimmed(text); }
std::string AsciiUpper(std::string_view text) { return UpperAscii(text); }
WideText AsciiUpper(std::u16string_view text) { return UpperAscii(text); }

bool SameTextIgnoringCase(std::string_view a, std::string_view b) { return SjisToLower(a) == SjisToLower(b); }
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b) { return WideToLower(a) == WideToLower(b); }

char16_t WideToLower(char16_t unit) {
  auto plus = [unit](int offset) { return static_cast<char16_t>(unit + offset); };
  if (unit < 0x80) return unit >= u'A' && unit <= u'Z' ? plus(0x20) : unit;
  if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7) return plus(0x20);  // À..Þ but ×
  if (unit >= 0x100 && unit <= 0x17F) {
    // Latin Extended-A pairs capital and small: even-odd from Ā, odd-even
    // from Ĺ to Ň and from Ź; Ÿ belongs to Latin-1's ÿ. İ, ı, ĸ and ŉ have
    // no partner in this block.
    if (unit == 0x130 || unit == 0x131 || unit == 0x138 || unit == 0x149 || unit == 0x17F) return unit;
    if (unit == 0x178) return u'\u00FF';
    bool odd_pairs = (unit >= 0x139 && unit <= 0x148) || unit >= 0x179;
    bool capital = odd_pairs ? unit % 2 == 1 : unit % 2 == 0;
    return capital ? plus(1) : unit;
  }
  if (unit >= 0x391 && unit <= 0x3A9 && unit != 0x3A2) return plus(0x20);  // Greek Α..Ω
  if (unit >= 0x400 && unit <= 0x40F) return plus(0x50);                   // Cyrillic Ѐ..Џ
  if (unit >= 0x410 && unit <= 0x42F) return plus(0x20);                   // Cyrillic А..Я
  if (unit >= 0xFF21 && unit <= 0xFF3A) return plus(0x20);                 // full-width Ａ..Ｚ
  return unit;
}

WideText WideToLower(std::u16string_view text) {
  WideText out(text);
  for (char16_t& unit : out) unit = WideToLower(unit);
  return out;
}

std::string DrivePart(std::string_view path) { return DriveOf(path); }
WideText DrivePart(std::u16string_view path) { return DriveOf(path); }

std::string RelativePath(std::string_view base, std::string_view file) { return Relative(base, file); }
WideText RelativePath(std::u16string_view base, std::u16string_view file) { return Relative(base, file); }

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

std::string QuoteArgument(std::string_view argument) { return Quoted(argument); }
WideText QuoteArgument(std::u16string_view argument) { return Quoted(argument); }

}  // namespace tagsling::texttools
