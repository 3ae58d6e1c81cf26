// Profile-file reader and writer. The file is held as its lines, each with its
// own ending, so that writing one key rewrites only that line and keeps every
// other byte. Each line is classified once when loaded (section header, key
// line, anything else) with its trimmed name; a lookup is then one pass over
// the lines comparing names, linear in the file's length. Whole files are
// rewritten on save (they are small), atomically through FileAccess.

#include "settings/ProfileFile.h"

#include <limits>

#include "common/LosslessText.h"
#include "common/Sjis.h"
#include "settings/FileAccess.h"
#include "settings/ProfileCache.h"

namespace tagsling::settings {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  // Blanks are below 0x40, so they are never the trail byte of a
  // double-byte character and trimming from the end is safe.
  std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

// Position of the first single-byte `c` at or after `from`, skipping
// double-byte characters (needed for bytes such as ']' that can be trail
// bytes).
std::size_t FindSingleByte(std::string_view text, char c, std::size_t from = 0) {
  for (std::size_t pos = from; pos < text.size(); pos += SjisCharLength(text, pos)) {
    if (text[pos] == c && SjisCharLength(text, pos) == 1) return pos;
  }
  return std::string_view::npos;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// The value as read: one pair of matching quotes removed, cut to the limit
// without leaving half a double-byte character or half a token.
std::string ReadValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > kProfileValueLimit) {
    std::size_t cut = 0;
    while (cut < value.size()) {
      std::size_t next = cut + LosslessCharLength(value, cut);
      if (next > kProfileValueLimit) break;
      cut = next;
    }
    value = value.substr(0, cut);
  }
  return std::string(value);
}

// The value as written so that ReadValue gives it back: line breaks become
// blanks (a value is one line), and a value that trimming or quote removal
// would change is enclosed in double quotes.
std::string EncodeValue(std::string_view value) {
  std::string text(value);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  bool needs_quotes = false;
  if (!text.empty()) {
    needs_quotes = kBlanks.find(text.front()) != std::string_view::npos ||
                   kBlanks.find(text.back()) != std::string_view::npos ||
                   (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front());
  }
  if (!needs_quotes) return text;
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

// True when the last character is a lead byte without its trail byte: in a
// section header it would take the closing "]" as its trail byte.
bool EndsInLeadByte(std::string_view text) {
  std::size_t last = std::string_view::npos;
  for (std::size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) last = pos;
  return last != std::string_view::npos && last + 1 == text.size() &&
         IsSjisLeadByte(static_cast<unsigned char>(text[last]));
}

bool UsableSectionName(std::string_view section) {
  return !HasLineBreak(section) && FindSingleByte(section, ']') == std::string_view::npos && !EndsInLeadByte(section);
}

bool UsableKeyName(std::string_view key) {
  return !key.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos && key.front() != '[' &&
         key.front() != ';';
}

}  // namespace

bool ProfileNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size();) {
    std::size_t length = SjisCharLength(a, pos);
    if (length == 2) {
      if (a[pos] != b[pos] || a[pos + 1] != b[pos + 1]) return false;
    } else if (AsciiLower(a[pos]) != AsciiLower(b[pos])) {
      return false;
    }
    pos += length;
  }
  return true;
}

int ParseProfileInt(std::string_view text, int default_value) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    unsigned long long value = 0;
    for (char c : text.substr(2)) {
      int digit;
      if (c >= '0' && c <= '9')
        digit = c - '0';
      else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
      else
        return default_value;
      value = value * 16 + static_cast<unsigned>(digit);
      if (value > 0xFFFFFFFFull) return default_value;
    }
    // Eight hex digits cover the whole 32-bit pattern: 0xFFFFFFFF is -1.
    return static_cast<int>(static_cast<unsigned>(value));
  }
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  if (pos == text.size()) return default_value;
  long long value = 0;
  const long long limit =
      negative ? -static_cast<long long>(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return default_value;
    value = value * 10 + (text[pos] - '0');
    if (value > limit) return default_value;
  }
  return static_cast<int>(negative ? -value : value);
}

ProfileDocument::Line ProfileDocument::ParseLine(std::string text, std::string ending) {
  Line line{std::move(text), std::move(ending), LineKind::kOther, {}};
  std::string_view trimmed = Trim(line.text);
  if (trimmed.empty() || trimmed.front() == ';') return line;
  if (trimmed.front() == '[') {
    std::size_t close = FindSingleByte(trimmed, ']', 1);
    std::string_view name = trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    line.kind = LineKind::kSection;
    line.name = std::string(Trim(name));
    return line;
  }
  std::size_t equals = trimmed.find('=');
  if (equals != std::string_view::npos) {
    line.kind = LineKind::kKey;
    line.name = std::string(Trim(trimmed.substr(0, equals)));
  }
  return line;
}

ProfileDocument ProfileDocument::FromText(std::string_view text) {
  // CR LF, LF and a lone CR each end a line, so no value read can hold a
  // line break (the writer turns them into blanks and must read back the
  // same value).
  ProfileDocument document;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      document.lines_.push_back(ParseLine(std::string(text.substr(start)), ""));
      break;
    }
    std::size_t next = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    document.lines_.push_back(
        ParseLine(std::string(text.substr(start, end - start)), std::string(text.substr(end, next - end))));
    start = next;
  }
  return document;
}

ProfileDocument ProfileDocument::FromBytes(std::string_view bytes) {
  const TextEncoding encoding = DetectTextEncoding(bytes);
  std::string text = DecodeText(bytes, encoding);
  ProfileDocument document = FromText(text);
  document.encoding_ = encoding;
  document.loaded_text_ = std::move(text);
  return document;
}

ProfileDocument ProfileDocument::Load(const std::string& path) {
  std::string bytes;
  FileReadResult result = ReadWholeFile(path, bytes);
  ProfileDocument document = result == FileReadResult::kOk ? FromBytes(bytes) : ProfileDocument();
  document.path_ = path;
  document.load_failed_ = result == FileReadResult::kError || result == FileReadResult::kTooLarge;
  document.load_too_large_ = result == FileReadResult::kTooLarge;
  return document;
}

std::size_t ProfileDocument::FindKey(std::string_view section, std::string_view key) const {
  std::string_view wanted_key = Trim(key);
  std::string_view wanted_section = Trim(section);
  bool in_section = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::kSection) {
      in_section = ProfileNamesEqual(line.name, wanted_section);
    } else if (in_section && line.kind == LineKind::kKey && ProfileNamesEqual(line.name, wanted_key)) {
      return i;
    }
  }
  return std::string::npos;
}

std::string ProfileDocument::Get(std::string_view section, std::string_view key, std::string_view default_value) const {
  std::size_t index = FindKey(section, key);
  if (index == std::string::npos) return std::string(default_value);
  const std::string& text = lines_[index].text;
  return ReadValue(std::string_view(text).substr(text.find('=') + 1));
}

int ProfileDocument::GetInt(std::string_view section, std::string_view key, int default_value) const {
  return ParseProfileInt(Get(section, key), default_value);
}

bool ProfileDocument::GetBool(std::string_view section, std::string_view key, bool default_value) const {
  return GetInt(section, key, default_value ? 1 : 0) != 0;
}

bool ProfileDocument::HasKey(std::string_view section, std::string_view key) const {
  return FindKey(section, key) != std::string::npos;
}

bool ProfileDocument::HasSection(std::string_view section) const {
  for (const Line& line : lines_) {
    if (line.kind == LineKind::kSection && ProfileNamesEqual(line.name, Trim(section))) return true;
  }
  return false;
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  bool in_section = false;
  for (const Line& line : lines_) {
    if (line.kind == LineKind::kSection)
      in_section = ProfileNamesEqual(line.name, Trim(section));
    else if (in_section && line.kind == LineKind::kKey)
      names.push_back(line.name);
  }
  return names;
}

std::string ProfileDocument::NewLineEnding() const {
  for (const Line& line : lines_) {
    if (!line.ending.empty()) return line.ending;
  }
  return "\r\n";
}

void ProfileDocument::InsertLine(std::size_t index, std::string text) {
  std::string ending = NewLineEnding();
  // The line before the new one needs an ending if it was the file's last.
  if (index > 0 && lines_[index - 1].ending.empty()) lines_[index - 1].ending = ending;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), ParseLine(std::move(text), ending));
}

bool ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string_view section_name = Trim(section);
  std::string_view key_name = Trim(key);
  if (!UsableSectionName(section_name) || !UsableKeyName(key_name)) return false;
  std::string encoded = EncodeValue(value);

  std::size_t index = FindKey(section_name, key_name);
  if (index != std::string::npos) {
    // Keep the key's spelling and indentation as the file has it.
    Line& line = lines_[index];
    line.text = line.text.substr(0, line.text.find('=') + 1) + encoded;
    return true;
  }
  std::string key_line = std::string(key_name) + "=" + encoded;
  // Append after the last key of the first section of that name.
  std::size_t insert_at = std::string::npos;
  bool in_section = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == LineKind::kSection) {
      if (insert_at != std::string::npos) break;
      in_section = ProfileNamesEqual(line.name, section_name);
      if (in_section) insert_at = i + 1;
    } else if (in_section && line.kind == LineKind::kKey) {
      insert_at = i + 1;
    }
  }
  if (insert_at == std::string::npos) {
    std::string header(1, '[');
    header.append(section_name).push_back(']');
    InsertLine(lines_.size(), std::move(header));
    insert_at = lines_.size();
  }
  InsertLine(insert_at, std::move(key_line));
  return true;
}

bool ProfileDocument::SetInt(std::string_view section, std::string_view key, int value) {
  return Set(section, key, std::to_string(value));
}

bool ProfileDocument::SetBool(std::string_view section, std::string_view key, bool value) {
  return Set(section, key, value ? "1" : "0");
}

bool ProfileDocument::EraseSection(std::string_view section) {
  std::string_view wanted = Trim(section);
  std::vector<Line> kept;
  kept.reserve(lines_.size());
  bool erasing = false;
  bool erased = false;
  for (Line& line : lines_) {
    if (line.kind == LineKind::kSection) erasing = ProfileNamesEqual(line.name, wanted);
    if (erasing) {
      erased = true;
    } else {
      kept.push_back(std::move(line));
    }
  }
  lines_ = std::move(kept);
  return erased;
}

std::string ProfileDocument::Text() const {
  std::string text;
  for (const Line& line : lines_) {
    text += line.text;
    text += line.ending;
  }
  return text;
}

std::optional<std::string> ProfileDocument::Bytes() const {
  const std::string text = Text();
  // The file's own encoding, as long as the next read detects it: code page
  // 932 bytes that happen to form UTF-8 would read back as other text.
  if (std::optional<std::string> bytes = EncodeText(text, encoding_)) {
    if (encoding_ != TextEncoding::kCp932 || DetectTextEncoding(*bytes) == TextEncoding::kCp932) return bytes;
  }
  return EncodeText(text, TextEncoding::kUtf8Bom);
}

bool ProfileDocument::Save() const {
  if (load_failed_) return false;
  // A file nobody changed stays as it is, whatever bytes it holds.
  if (loaded_text_ && *loaded_text_ == Text()) return true;
  const std::optional<std::string> bytes = Bytes();
  if (!bytes) return false;
  const bool written = ReplaceFileAtomically(path_, *bytes);
  ForgetCachedProfile(path_);
  return written;
}

std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& default_value) {
  return CachedProfile(path)->Get(section, key, default_value);
}

int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key, int default_value) {
  return CachedProfile(path)->GetInt(section, key, default_value);
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
  ProfileDocument document = ProfileDocument::Load(path);
  return document.Set(section, key, value) && document.Save();
}

bool EraseProfileSection(const std::string& path, const std::string& section) {
  ProfileDocument document = ProfileDocument::Load(path);
  if (document.LoadFailed()) return false;
  return !document.EraseSection(section) || document.Save();
}

}  // namespace tagsling::settings
