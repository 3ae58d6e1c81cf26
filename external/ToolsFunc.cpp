// External tool start. The parameter template is expanded by one scan over
// its characters: "%f"/"%F" become the quoted document path and "%d"/"%D" the
// quoted folder, and scanning resumes after the placeholder in the template,
// so nothing inserted is ever read as a placeholder. Linear in the output.

#include "external/ToolsFunc.h"

#include "common/Sjis.h"
#include "external/ExternalMessages.h"
#include "texttools/PathText.h"

namespace tagsling::external {

namespace {

enum class Placeholder { kNone, kFile, kFolder };

// The placeholder starting at `pos`, which is a character boundary.
Placeholder PlaceholderAt(std::string_view text, std::size_t pos) {
  if (text[pos] != '%' || pos + 1 >= text.size()) return Placeholder::kNone;
  switch (text[pos + 1]) {
    case 'f':
    case 'F':
      return Placeholder::kFile;
    case 'd':
    case 'D':
      return Placeholder::kFolder;
    default:
      return Placeholder::kNone;
  }
}

bool Uses(std::string_view text, Placeholder wanted) {
  for (std::size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos))
    if (PlaceholderAt(text, pos) == wanted) return true;
  return false;
}

}  // namespace

std::optional<std::string> ExpandToolParams(std::string_view param_template, const std::string& public_dir,
                                            const DocumentLookup& lookup) {
  std::string file_argument;
  if (Uses(param_template, Placeholder::kFile)) {
    std::string path = lookup(false);
    if (path.empty()) return std::nullopt;
    file_argument = texttools::QuoteArgument(path);
  }
  std::string folder_argument;
  if (Uses(param_template, Placeholder::kFolder)) {
    std::string folder = public_dir.empty() ? lookup(true) : public_dir;
    if (folder.empty()) return std::nullopt;
    folder_argument = texttools::QuoteArgument(folder);
  }

  std::string out;
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
      case Placeholder::kNone: {
        std::size_t len = SjisCharLength(param_template, pos);
        out.append(param_template.substr(pos, len));
        pos += len;
        break;
      }
    }
  }
  return out;
}

std::string ToolWorkingFolder(const settings::ToolEntry& tool) {
  return tool.TmpDir.empty() ? texttools::FolderPart(tool.File) : tool.TmpDir;
}

std::optional<ShellStart> PlanExternalTool(const settings::ToolEntry& tool, const std::string& public_dir,
                                           const DocumentLookup& lookup) {
  std::optional<std::string> parameters = ExpandToolParams(tool.Param, public_dir, lookup);
  if (!parameters) return std::nullopt;
  ShellStart start;
  start.file = tool.File;
  start.parameters = std::move(*parameters);
  start.directory = ToolWorkingFolder(tool);
  return start;
}

std::string ToolStartFailedMessage(const settings::ToolEntry& tool, std::intptr_t shell_result) {
  return tool.File + text::kToolFailedMiddle + std::to_string(shell_result) + text::kToolFailedClose + "\r\n" +
         text::kToolCheckOpen + tool.Title + text::kToolCheckClose;
}

}  // namespace tagsling::external
