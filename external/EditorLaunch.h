#pragma once
// Starting the text editor: the command line, the start-up placement (with
// Hidemaru's own adjustment), the working folder and the reports; and the
// open dialog of the "open" command.
//
// PlanEditorLaunch decides; the Windows code fills STARTUPINFO, calls
// CreateProcess and, when asked, waits for the editor to become idle, finds
// its window (FindProcessWindow) and fits the target window to the free area.
//
// The editor's settings are code page 932; the document and the folders are
// UTF-16 (they come from the open dialog), and so is everything the plan
// hands to CreateProcess.

#include <optional>
#include <string>

#include "platform/TextCodec.h"

#include "external/Winplace.h"
#include "settings/AppSettings.h"
#include "texttools/TextToolsContext.h"

namespace tagsling::external {

// True when the file-name part of EditorFile, lower-cased, is "hidemaru.exe".
bool IsHidemaru(const std::string& editor_file);

// The editor's command line: EditorFile in quotes, then EditorCmdLine as the
// user wrote it, then the file as one quoted argument; empty parts are left
// out with their separating space.
platform::WideText EditorCommandLine(const platform::WideText& editor_file, const platform::WideText& editor_cmd_line,
                                     const platform::WideText& file);

// The STARTUPINFO fields of a placed start; every other field is zero.
struct StartupBlock {
  static constexpr unsigned kUsePosition = 0x4;  // STARTF_USEPOSITION
  static constexpr unsigned kUseSize = 0x2;      // STARTF_USESIZE
  static constexpr unsigned short kShow = 5;     // SW_SHOW
  unsigned flags = kUsePosition | kUseSize;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  unsigned short show_window = kShow;
  unsigned x_count_chars = 160;
  unsigned y_count_chars = 120;
  bool operator==(const StartupBlock&) const = default;
};

// Where the editor is asked to appear: the free area, for Hidemaru one pixel
// lower and 23 pixels less high; nullopt (the program's own STARTUPINFO, so
// the editor chooses) without a free area or with EditorWindowMax off.
std::optional<WindowPlacement> EditorStartPlacement(const std::string& editor_file, bool editor_window_max,
                                                    const std::optional<WindowPlacement>& free_area);

struct EditorLaunchRequest {
  platform::WideText file;  // may be empty: a new document
  bool file_exists = false;
  platform::WideText folder;  // starting folder (HtmlOpenDir or the chosen file's)
  bool folder_exists = false;
  platform::WideText own_folder;  // folder of the program's own executable
  std::optional<WindowPlacement> free_area;
};

struct EditorLaunchPlan {
  platform::WideText report;       // not empty: show it (report bracket) and start nothing
  platform::WideText application;  // CreateProcess application name (EditorFile)
  platform::WideText command_line;
  platform::WideText directory;
  // nullopt: the program's own STARTUPINFO (GetStartupInfoA), so the
  // editor chooses its place.
  std::optional<StartupBlock> startup;
  // After a successful start: wait for input idle, and when the editor's
  // window is found, fit the target window to the free area.
  bool fit_after_start = false;
  platform::WideText failure_report;  // shown when CreateProcess fails
};

EditorLaunchPlan PlanEditorLaunch(const settings::AppSettings& settings, const EditorLaunchRequest& request,
                                  platform::TextCodec& codec);

// "テキストエディタの実行ファイルを指定して下さい。": the report of the new and
// open commands when EditorFile is empty.
std::string EditorNotSetMessage();
// "ファイル(" F ")が見当たりません。"
platform::WideText EditorFileMissingMessage(const platform::WideText& file, platform::TextCodec& codec);
// "テキストエディタの起動に失敗しました。"
std::string EditorStartFailedMessage();

// The open dialog: no title of its own, no preset name, the HTML filter and
// the all-files filter, starting in `initial_folder` (HtmlOpenDir).
texttools::FileDialogSpec HtmlOpenDialogSpec(const platform::WideText& initial_folder);

}  // namespace tagsling::external
