// Fuzz target for the editor-title rules: which HTML document the editor
// has open, read from its window title (or TeraPad's file-name box).
//
// Input layout: byte 0 options (bit 0 the window is TeraPad's, bit 1 files
// ending in ".htm" exist, bit 2 files ending in ".html" exist, bit 3 every
// path exists whatever its extension), then two NUL-terminated fields (base
// folder, TeraPad's box) and the rest of the input as the title.
//
// Checked: an answer names a file the file system has, with the extension
// ".htm" or ".html" in any case; with a base folder it lies directly in that
// folder; without one it is a full path, unless TeraPad's box named it. The
// document's folder is the path's folder part, its trailing separator
// dropped unless it is a root.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzInput.h"
#include "texttools/DocumentPath.h"
#include "texttools/PathText.h"

namespace {

using namespace tagsling::texttools;
using tagsling::fuzz::Check;

// Files exist by their extension; folders never do.
class RuleFileSystem : public FileSystem {
 public:
  explicit RuleFileSystem(std::uint8_t options) : options_(options) {}
  bool FileExists(const std::string& path) override {
    ++asked_;
    std::string extension = AsciiUpper(FileExtension(path));
    if (options_ & 8) return true;
    if (extension == ".HTM") return options_ & 2;
    if (extension == ".HTML") return options_ & 4;
    return false;
  }
  bool DirectoryExists(const std::string&) override { return false; }
  std::optional<std::uint64_t> FileSize(const std::string&) override { return std::nullopt; }
  std::unique_ptr<ByteSource> OpenFile(const std::string&, std::string& error_text) override {
    error_text = "no files here";
    return nullptr;
  }
  int asked() const { return asked_; }

 private:
  std::uint8_t options_;
  int asked_ = 0;
};

bool EndsWithIgnoringCase(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() && AsciiUpper(text.substr(text.size() - suffix.size())) == suffix;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tagsling::fuzz::FieldReader input(data, size);
  const std::uint8_t options = input.Byte();
  // What the program reads from windows and settings is well-formed code
  // page 932 text; the base folder setting is used trimmed.
  const std::string base_folder = TrimBlanks(tagsling::fuzz::WellFormedSjis(input.Field(260)));
  EditorWindowText window;
  window.class_name = options & 1 ? std::string(kTeraPadClass) : "Notepad";
  window.terapad_file_box = tagsling::fuzz::WellFormedSjis(input.Field(260));
  window.title = tagsling::fuzz::WellFormedSjis(input.Rest(512));

  RuleFileSystem files(options);
  const std::string found = DocumentPathFromWindow(window, base_folder, files);
  if (found.empty()) return 0;

  Check(files.FileExists(found));
  Check(EndsWithIgnoringCase(found, ".HTM") || EndsWithIgnoringCase(found, ".HTML"));
  Check(found == TrimBlanks(found));
  if (!base_folder.empty()) {
    std::string folder = base_folder;
    if (!EndsWithBackslash(folder)) folder += '\\';
    Check(found.compare(0, folder.size(), folder) == 0);
    Check(FileNamePart(found) == found.substr(folder.size()));
  } else if (found.find(":\\") == std::string::npos) {
    // Only TeraPad's file-name box may name a file without a drive.
    RuleFileSystem again(options);
    Check(window.class_name == kTeraPadClass && found == ResolveHtmlFile(window.terapad_file_box, again));
  }

  // The folder part with one trailing separator dropped (a root keeps it).
  const std::string folder = DocumentFolder(found);
  const std::string part = FolderPart(found);
  Check(found.compare(0, folder.size(), folder) == 0);
  Check(folder == TrimBlanks(part) || (!part.empty() && folder == TrimBlanks(part.substr(0, part.size() - 1))));
  return 0;
}
