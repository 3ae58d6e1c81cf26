#pragma once
// Profile (INI) files: the settings file and "Html.dat" are read and written
// through this layer, which behaves like the Windows profile interface.
//
// Reading:
// - CR LF, LF and a lone CR each end a line.
// - Section and key names are compared without regard to ASCII case; the
//   bytes of double-byte Shift-JIS characters are compared exactly, so a
//   trail byte that happens to be an ASCII letter is never folded.
// - The first matching key wins (also across repeated sections of one name).
// - Blanks (space, tab) around names and values are trimmed, then one pair of
//   matching quotes ("..." or '...') around the value is removed.
// - A value is returned with at most 2047 bytes; the cut never splits a
//   double-byte character.
// - A missing file, section or key gives the default.
//
// Writing:
// - Every line other than the key written stays byte for byte as it was:
//   comments, blank lines, unknown sections and keys, line endings.
// - A key is replaced where it stands, or appended after the last key of its
//   section; a missing section is created at the end of the file.
// - Erasing a section removes its header and every line up to the next
//   section header.
// - Values that would not read back unchanged (leading or trailing blanks, a
//   value enclosed in matching quotes) are written inside double quotes, and
//   line breaks inside a value are written as blanks, so a value can never
//   add lines or keys to the file.
// - The file is replaced atomically: the new text goes to a temporary file
//   beside it, which is then renamed over the original. On failure the
//   original stays as it was and the call reports false.
// - A file that exists but cannot be read, or that is larger than
//   kProfileFileSizeLimit, is never overwritten.
// - A save that would not change the text leaves the file untouched.
//
// Encodings (common/TextEncoding.h): a file is read as code page 932, UTF-8
// (with or without a byte-order mark) or UTF-16 as detected, and held as
// lossless code page 932 text (common/LosslessText.h), so names and values
// are compared and returned as code page 932 whatever the file's encoding. A
// save writes the file back in its own encoding; when that encoding cannot
// hold a character of the text (code page 932 and a value from outside it),
// the whole file is written as UTF-8 with a byte-order mark instead, so
// nothing becomes "?". A new file is code page 932.
//
// Paths are lossless code page 932 strings.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/TextEncoding.h"

namespace tagsling::settings {

// Longest value a read returns, in bytes.
inline constexpr std::size_t kProfileValueLimit = 2047;

// Reads one value; the default when the file, section or key is missing.
// The file is parsed once and again only when its size or time stamp
// changed (ProfileCache.h).
std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& default_value = "");

// Reads an integer: decimal, or hexadecimal after "0x"/"0X" when the text is
// longer than two characters. Text that is no valid 32-bit integer gives the
// default.
int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key, int default_value);

// Writes one key, keeping the rest of the file. False when the file cannot be
// written or the names are unusable (empty key, a key holding "=", a section
// holding "]" or ending in a lead byte without its trail byte, line breaks in
// a name).
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

// Removes a whole section. Erasing a section that is not there succeeds
// without touching the file.
bool EraseProfileSection(const std::string& path, const std::string& section);

// Parses profile-file integer text with the rules of ReadProfileInt.
int ParseProfileInt(std::string_view text, int default_value);

// True when both names are equal without regard to ASCII case, comparing
// double-byte characters exactly.
bool ProfileNamesEqual(std::string_view a, std::string_view b);

// A profile file held in memory for batch work: load once, read and change
// many keys, save everything at once or nothing.
class ProfileDocument {
 public:
  ProfileDocument() = default;

  // Loads the file. A missing file gives an empty document; a file that
  // exists but cannot be read, or is too large, gives an empty document that
  // refuses to save (LoadFailed(), LoadTooLarge()), so its contents are
  // never replaced by defaults.
  static ProfileDocument Load(const std::string& path);
  // Builds a document from lossless code page 932 text (no path; Save()
  // needs SetPath()); it is saved as code page 932 unless SetEncoding().
  static ProfileDocument FromText(std::string_view text);
  // Builds a document from a file's bytes, in the encoding they have.
  static ProfileDocument FromBytes(std::string_view bytes);

  const std::string& Path() const { return path_; }
  void SetPath(const std::string& path) { path_ = path; }
  bool LoadFailed() const { return load_failed_; }
  bool LoadTooLarge() const { return load_too_large_; }
  TextEncoding Encoding() const { return encoding_; }
  void SetEncoding(TextEncoding encoding) { encoding_ = encoding; }

  std::string Get(std::string_view section, std::string_view key, std::string_view default_value = "") const;
  int GetInt(std::string_view section, std::string_view key, int default_value) const;
  bool GetBool(std::string_view section, std::string_view key, bool default_value) const;
  bool HasKey(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // Key names of a section (all sections of that name), in file order.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // False (and nothing changed) when the names are unusable.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  bool SetInt(std::string_view section, std::string_view key, int value);
  bool SetBool(std::string_view section, std::string_view key, bool value);
  // True when a section was removed.
  bool EraseSection(std::string_view section);

  // The text of the file, lossless code page 932.
  std::string Text() const;
  // The bytes Save() writes: Text() in the document's encoding, or in UTF-8
  // with a byte-order mark when that encoding cannot hold it; nullopt when
  // not even UTF-8 can (bytes that are no code page 932 character beside
  // characters from outside it).
  std::optional<std::string> Bytes() const;
  // Replaces the file atomically with Bytes(); nothing is written when the
  // text is the one loaded. False on any failure, in which case the file on
  // disk is unchanged.
  bool Save() const;

 private:
  enum class LineKind { kOther, kSection, kKey };
  struct Line {
    std::string text;    // the line without its ending
    std::string ending;  // "\r\n", "\n", "\r" or "" (last line without one)
    LineKind kind = LineKind::kOther;
    std::string name;  // section or key name, trimmed
  };

  static Line ParseLine(std::string text, std::string ending);
  // Index of the key line, or npos.
  std::size_t FindKey(std::string_view section, std::string_view key) const;
  std::string NewLineEnding() const;
  void InsertLine(std::size_t index, std::string text);

  std::string path_;
  std::vector<Line> lines_;
  bool load_failed_ = false;
  bool load_too_large_ = false;
  TextEncoding encoding_ = TextEncoding::kCp932;
  // The text as loaded from an existing file, to leave it untouched when
  // nothing changed.
  std::optional<std::string> loaded_text_;
};

}  // namespace tagsling::settings
