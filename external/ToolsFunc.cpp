// External tool start. The parameter template is expanded by one scan over
// its UTF-16 units: "%f"/"%F" become the quoted document path and "%d"/"%D"
// the quoted folder, and scanning resumes after the placeholder in the
// template, so nothing inserted is ever read as a placeholder. Linear in the
// output.

#include "external/ToolsFunc.h"

#include "external/ExternalMessages.h"
#include "texttools/PathText.h"

namespace tagsling::external {

namespace {

enum class Placeholder { kNone, kFile, kFolder };

// The placeholder starting at `pos`. In UTF-16 every unit stands alone, so
// no "%" is ever the second half of another character.
Placeholder PlaceholderAt(std::u16string_view text, std::size_t pos) {
  if (text[pos] != u'%' || pos + 1 >= text.size()) return Placeholder::kNone;
  switch (text[pos + 1]) {
    case u'f':
    case u'F':
      return Placeholder::kFile;
    case u'd':
    case u'D':
      return Placeholder::kFolder;
    default:
      return Placeholder::kNone;
  }
}

bool Uses(std::u16string_view text, Placeholder wanted) {
  for (std::size_t pos = 0; pos < text.size(); ++pos)
    if (PlaceholderAt(text, pos) == wanted) return true;
  return false;
}

}  // namespace

std::optional<platform::WideText> ExpandToolParams(std::u16string_view param_template,
                                                   const platform::WideText& public_dir, const DocumentLookup& lookup) {
  platform::WideText file_argument;
  if (Uses(param_template, Placeholder::kFile)) {
    platform::WideText path = lookup(false);
    if (path.empty()) return std::nullopt;
    file_argument = texttools::QuoteArgument(path);
  }
  platform::WideText folder_argument;
  if (Uses(param_template, Placeholder::kFolder)) {
    platform::WideText folder = public_dir.empty() ? lookup(true) : public_dir;
    if (folder.empty()) return std::nullopt;
    folder_argument = texttools::QuoteArgument(folder);
  }

  platform::WideText out;
  for (std::size_t pos = 0; pos < param_template.size();) {
    switch (PlaceholderAt(param_template, pos)) {
      case Placeholder::kFile:
        out += file_argument;
        pos += 2;
        break;
      case Placeholder::kFolder:
        out += folder_argument;
        pos += 2;
        break;
      case Placeholder::kNone:
        out += param_template[pos++];
        break;
    }
  }
  return out;
}

std::string ToolWorkingFolder(const settings::ToolEntry& tool) {
  return tool.TmpDir.empty() ? texttools::FolderPart(tool.File) : tool.TmpDir;
}

std::optional<ShellStart> PlanExternalTool(const settings::ToolEntry& tool, const std::string& public_dir,
                                           const DocumentLookup& lookup, platform::TextCodec& codec) {
  std::optional<platform::WideText> parameters =
      ExpandToolParams(codec.SjisToWide(tool.Param), codec.SjisToWide(public_dir), lookup);
  if (!parameters) return std::nullopt;
  ShellStart start;
  start.file = codec.SjisToWide(tool.File);
  start.parameters = std::move(*parameters);
  start.directory = codec.SjisToWide(ToolWorkingFolder(tool));
  return start;
}

std::string ToolStartFailedMessage(const settings::ToolEntry& tool, std::intptr_t shell_result) {
  return tool.File + text::kToolFailedMiddle + std::to_string(shell_result) + text::kToolFailedClose + "\r\n" +
         text::kToolCheckOpen + tool.Title + text::kToolCheckClose;
}

}  // namespace tagsling::external
