#include "texttools/DocumentPath.h"

#include <algorithm>

#include "common/Sjis.h"
#include "core/Templates.h"
#include "texttools/CompiledPattern.h"
#include "texttools/LosslessSjis.h"
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

// Marks editors add to the title while the document has unsaved changes:
// before the path (Notepad++ "*", Visual Studio Code "●", others "•", each
// with the space that may follow it) and right after the file name (Sakura
// Editor "(更新)", " *").
constexpr std::u16string_view kMarksBefore[] = {u"*", u"●", u"•"};
constexpr std::u16string_view kMarksAfter[] = {u"(更新)", u" *"};

// The candidate without one modification mark at either end; unchanged when
// it carries none.
WideText WithoutModificationMarks(std::u16string_view candidate) {
  WideText text = TrimBlanks(candidate);
  for (std::u16string_view mark : kMarksBefore) {
    if (text.starts_with(mark)) {
      text = TrimBlanks(std::u16string_view(text).substr(mark.size()));
      break;
    }
  }
  for (std::u16string_view mark : kMarksAfter) {
    if (text.ends_with(mark)) {
      text = TrimBlanks(std::u16string_view(text).substr(0, text.size() - mark.size()));
      break;
    }
  }
  return text;
}

// A title rule's candidate made into a path, as it stands.
WideText FinishMarkedCandidate(WideText candidate, std::u16string_view base_folder, FileSystem& files) {
  if (candidate.empty()) return {};
  std::replace(candidate.begin(), candidate.end(), u'/', u'\\');
  if (!base_folder.empty()) {
    WideText folder(base_folder);
    if (!EndsWithBackslash(folder)) folder += u'\\';
    return ResolveHtmlFile(folder + FileNamePart(candidate), files);
  }
  if (candidate.find(u":\\") == WideText::npos) return {};
  return ResolveHtmlFile(candidate, files);
}

// A title rule's candidate made into a path: as it stands first (a file's
// real name may begin with a mark character), then without the marks.
WideText FinishCandidate(const WideText& candidate, std::u16string_view base_folder, FileSystem& files) {
  WideText found = FinishMarkedCandidate(candidate, base_folder, files);
  if (!found.empty()) return found;
  WideText unmarked = WithoutModificationMarks(candidate);
  if (unmarked == TrimBlanks(candidate)) return {};
  return FinishMarkedCandidate(std::move(unmarked), base_folder, files);
}

// The first kTitleLimit bytes, cut only between characters.
std::string LimitTitle(std::string_view title) {
  std::size_t end = 0;
  while (end < title.size() && end + LosslessCharLength(title, end) <= kTitleLimit)
    end += LosslessCharLength(title, end);
  return std::string(title.substr(0, end));
}

}  // namespace

WideText ResolveHtmlFile(std::u16string_view path, FileSystem& files) {
  WideText trimmed = TrimBlanks(path);
  if (trimmed.empty()) return {};
  WideText extension = AsciiUpper(FileExtension(trimmed));
  if (extension == u".HTM" || extension == u".HTML") return files.FileExists(trimmed) ? trimmed : WideText();
  for (std::u16string_view replacement : {u".htm", u".html"}) {
    WideText candidate = ChangeFileExtension(trimmed, replacement);
    if (files.FileExists(candidate)) return candidate;
  }
  return {};
}

WideText DocumentPathFromWindow(const EditorWindowText& window, std::u16string_view base_folder, FileSystem& files,
                                platform::TextCodec& codec) {
  const bool no_base = base_folder.empty();
  WideText found;
  if (no_base && window.class_name == kTeraPadClass) found = ResolveHtmlFile(window.terapad_file_box, files);
  if (!found.empty()) return found;

  const std::string title = LimitTitle(ToLosslessSjis(window.title, codec));
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
    found = FinishCandidate(FromLosslessSjis(candidate, codec), base_folder, files);
    if (!found.empty()) return found;
  }
  return {};
}

WideText DocumentFolder(std::u16string_view document_path) {
  return TrimBlanks(FolderWithoutTrailingSeparator(document_path));
}

}  // namespace tagsling::texttools
