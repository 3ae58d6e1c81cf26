#include "texttools/DocumentPath.h"

#include "common/Sjis.h"
#include "core/Templates.h"
#include "texttools/CompiledPattern.h"
#include "texttools/PathText.h"

namespace tagsling::texttools {

namespace {

// The matched text of `pattern` in `title`, empty when none.
std::string Matched(std::string_view pattern, std::string_view title) {
  std::size_t position = 0;
  std::size_t length = 0;
  if (CompiledPattern(pattern).Match(title, position, length) == 0) return {};
  return std::string(title.substr(position - 1, length));
}

// A title rule's candidate made into a path.
std::string FinishCandidate(std::string candidate, std::string_view base_folder, FileSystem& files) {
  if (candidate.empty()) return {};
  candidate = ReplaceSingleByteChar(candidate, '/', '\\');
  if (!base_folder.empty()) {
    std::string folder(base_folder);
    if (!EndsWithBackslash(folder)) folder += '\\';
    return ResolveHtmlFile(folder + FileNamePart(candidate), files);
  }
  if (candidate.find(":\\") == std::string::npos) return {};
  return ResolveHtmlFile(candidate, files);
}

std::string LimitTitle(std::string_view title) {
  std::size_t end = 0;
  while (end < title.size() && end + SjisCharLength(title, end) <= kTitleLimit) end += SjisCharLength(title, end);
  return std::string(title.substr(0, end));
}

}  // namespace

std::string ResolveHtmlFile(std::string_view path, FileSystem& files) {
  std::string trimmed = TrimBlanks(path);
  if (trimmed.empty()) return {};
  std::string extension = AsciiUpper(FileExtension(trimmed));
  if (extension == ".HTM" || extension == ".HTML") return files.FileExists(trimmed) ? trimmed : std::string();
  for (const char* replacement : {".htm", ".html"}) {
    std::string candidate = ChangeFileExtension(trimmed, replacement);
    if (files.FileExists(candidate)) return candidate;
  }
  return {};
}

std::string DocumentPathFromWindow(const EditorWindowText& window, std::string_view base_folder, FileSystem& files) {
  const bool no_base = base_folder.empty();
  std::string found;
  if (no_base && window.class_name == kTeraPadClass) found = ResolveHtmlFile(window.terapad_file_box, files);
  if (!found.empty()) return found;

  const std::string title = LimitTitle(window.title);
  struct Rule {
    std::string_view pattern;
    std::string_view removed;
    bool without_base_only;
  };
  const Rule kRules[] = {
      {kBracketTitlePattern, "", false},
      {kPrefixTitlePattern, " - ", false},
      {kSuffixTitlePattern, " - ", false},
      {kColonTitlePattern, ": ", true},
  };
  for (const Rule& rule : kRules) {
    if (rule.without_base_only && !no_base) continue;
    std::string candidate = Matched(rule.pattern, title);
    candidate =
        rule.removed.empty() ? RemoveSingleByteChars(candidate, "[]") : core::ReplaceAll(rule.removed, "", candidate);
    found = FinishCandidate(candidate, base_folder, files);
    if (!found.empty()) return found;
  }
  return {};
}

std::string DocumentFolder(std::string_view document_path) {
  return TrimBlanks(FolderWithoutTrailingSeparator(document_path));
}

}  // namespace tagsling::texttools
