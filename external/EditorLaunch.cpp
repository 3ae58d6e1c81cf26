#include "external/EditorLaunch.h"

#include "common/Sjis.h"
#include "external/ExternalMessages.h"
#include "texttools/Messages.h"
#include "texttools/PathText.h"

namespace tagsling::external {

bool IsHidemaru(const std::string& editor_file) {
  return SjisToLower(texttools::FileNamePart(editor_file)) == "hidemaru.exe";
}

platform::WideText EditorCommandLine(const platform::WideText& editor_file, const platform::WideText& editor_cmd_line,
                                     const platform::WideText& file) {
  // The program name is read up to the next quote with no escapes, and an
  // executable's path never holds a quote: plain quotes are right for it.
  platform::WideText line(1, u'"');
  line.append(editor_file).push_back(u'"');
  if (!editor_cmd_line.empty()) line.append(1, u' ').append(editor_cmd_line);
  if (!file.empty()) line.append(1, u' ').append(texttools::QuoteArgument(file));
  return line;
}

std::optional<WindowPlacement> EditorStartPlacement(const std::string& editor_file, bool editor_window_max,
                                                    const std::optional<WindowPlacement>& free_area) {
  if (!free_area || !editor_window_max) return std::nullopt;
  WindowPlacement placement = *free_area;
  if (IsHidemaru(editor_file)) {
    placement.y += 1;
    placement.height -= 23;
    // A strip too low for Hidemaru's adjustment: let the editor choose.
    if (placement.height <= 0) return std::nullopt;
  }
  return placement;
}

EditorLaunchPlan PlanEditorLaunch(const settings::AppSettings& settings, const EditorLaunchRequest& request,
                                  platform::TextCodec& codec) {
  EditorLaunchPlan plan;
  if (settings.EditorFile.empty()) {
    plan.report = codec.SjisToWide(EditorNotSetMessage());
    return plan;
  }
  if (!request.file.empty() && !request.file_exists) {
    plan.report = EditorFileMissingMessage(request.file, codec);
    return plan;
  }
  plan.application = codec.SjisToWide(settings.EditorFile);
  plan.command_line = EditorCommandLine(plan.application, codec.SjisToWide(settings.EditorCmdLine), request.file);
  plan.directory = request.folder_exists ? request.folder : request.own_folder;
  if (std::optional<WindowPlacement> placement =
          EditorStartPlacement(settings.EditorFile, settings.EditorWindowMax, request.free_area)) {
    plan.startup = StartupBlock{};
    plan.startup->x = placement->x;
    plan.startup->y = placement->y;
    plan.startup->width = placement->width;
    plan.startup->height = placement->height;
  }
  plan.fit_after_start = settings.EditorWindowMax;
  plan.failure_report = codec.SjisToWide(EditorStartFailedMessage());
  return plan;
}

std::string EditorNotSetMessage() { return texttools::kMsgNoEditorFile; }

platform::WideText EditorFileMissingMessage(const platform::WideText& file, platform::TextCodec& codec) {
  return codec.SjisToWide(text::kFileMissingOpen) + file + codec.SjisToWide(text::kFileMissingClose);
}

std::string EditorStartFailedMessage() { return text::kEditorStartFailed; }

texttools::FileDialogSpec HtmlOpenDialogSpec(const platform::WideText& initial_folder) {
  texttools::FileDialogSpec dialog;
  dialog.filters = {{texttools::kFilterHtmlFiles, "*.html;*.htm"}, {texttools::kFilterAllFiles, "*.*"}};
  dialog.initial_folder = initial_folder;
  return dialog;
}

}  // namespace tagsling::external
