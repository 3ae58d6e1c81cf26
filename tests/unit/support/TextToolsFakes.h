#pragma once
// Test doubles for the text tools: an in-memory file system, the dialog
// host and the editor probe, and a context on the simulated desktop. Paths
// are UTF-16 as in the program; W() writes a code page 932 test text in
// that form.

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"
#include "texttools/TextToolsContext.h"

namespace tagsling::texttools::testing {

using platform::WideText;

// The UTF-16 form of a code page 932 text, and back.
inline WideText W(std::string_view sjis) {
  static platform::sim::SimDesktop codec;
  return codec.SjisToWide(sjis);
}
inline std::string Sjis(std::u16string_view wide) {
  static platform::sim::SimDesktop codec;
  return codec.WideToSjis(wide);
}

class FakeFileSystem : public FileSystem {
 public:
  std::map<WideText, std::string> files;
  std::set<WideText> folders;
  std::set<WideText> unreadable;  // exist, but opening fails

  bool FileExists(const WideText& path) override { return files.count(path) != 0; }
  bool DirectoryExists(const WideText& path) override { return folders.count(path) != 0; }
  std::optional<std::uint64_t> FileSize(const WideText& path) override {
    auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second.size();
  }
  std::unique_ptr<ByteSource> OpenFile(const WideText& path, std::string& error_text) override {
    auto found = files.find(path);
    if (found == files.end() || unreadable.count(path) != 0) {
      error_text = "cannot open " + Sjis(path);
      return nullptr;
    }
    return std::make_unique<MemoryByteSource>(found->second);
  }
};

class FakeProbe : public EditorProbe {
 public:
  std::map<platform::ProcessId, std::string> executables;
  WideText terapad_text;
  std::string ProcessExecutableName(platform::ProcessId process) override {
    auto found = executables.find(process);
    return found == executables.end() ? std::string() : found->second;
  }
  WideText ChildWindowText(platform::WindowHandle, const std::string& child_class) override {
    return child_class == "TEdit" ? terapad_text : WideText();
  }
};

class FakeHost : public InputHost {
 public:
  // Scripted answers.
  std::optional<WideText> open_dialog_answer;
  std::optional<Rgb> colour_answer;
  std::optional<WideText> folder_answer;
  std::optional<std::string> abbreviation_answer;
  bool yes = true;
  bool shell_result = true;
  bool palette_showing = true;
  int screen_width = 1280;
  bool folder_picker_throws = false;
  bool open_dialog_throws = false;
  // Keys held when the dialog is confirmed (pressed on the desktop).
  std::vector<std::uint8_t> keys_at_ok;
  platform::sim::SimDesktop* desk = nullptr;

  // What happened.
  std::vector<std::string> events;
  std::vector<FileDialogSpec> open_dialogs;
  std::vector<FolderPickerSpec> folder_pickers;
  std::vector<std::vector<std::string>> abbreviation_histories;  // what each wrap dialog listed
  platform::WindowHandle foreground_at_dialog = platform::kNoWindow;
  std::vector<ShellOpenRequest> shell_requests;
  std::vector<BaseFolderDisplay> displays;

  void SetBusy(InputCommand command, bool busy) override {
    events.push_back(std::string(busy ? "busy " : "idle ") + std::to_string(static_cast<int>(command)));
  }
  void SetMainWindowEnabled(bool enabled) override { events.push_back(enabled ? "enable" : "disable"); }
  bool PaletteShowing() override { return palette_showing; }
  std::optional<WideText> ShowOpenDialog(const FileDialogSpec& dialog) override {
    open_dialogs.push_back(dialog);
    events.push_back("dialog");
    if (open_dialog_throws) throw std::runtime_error("open dialog failed");
    PressKeys();
    return open_dialog_answer;
  }
  std::optional<Rgb> ShowColorDialog() override {
    events.push_back("dialog");
    return colour_answer;
  }
  std::optional<WideText> ShowFolderPicker(const FolderPickerSpec& dialog) override {
    folder_pickers.push_back(dialog);
    events.push_back("dialog");
    if (folder_picker_throws) throw std::runtime_error("folder picker failed");
    return folder_answer;
  }
  std::optional<std::string> AskAbbreviation(const std::vector<std::string>& history) override {
    abbreviation_histories.push_back(history);
    events.push_back("dialog");
    if (desk != nullptr) foreground_at_dialog = desk->ForegroundWindow();
    return abbreviation_answer;
  }
  bool AskYesNo(const std::string&, const std::string&) override {
    events.push_back("ask");
    return yes;
  }
  bool ShellOpen(const ShellOpenRequest& request) override {
    shell_requests.push_back(request);
    return shell_result;
  }
  void ShowBaseFolderDisplay(const BaseFolderDisplay& display) override { displays.push_back(display); }
  int ScreenWidth() override { return screen_width; }

 private:
  void PressKeys() {
    if (desk == nullptr) return;
    for (std::uint8_t key : keys_at_ok) desk->PressKey(key);
  }
};

// A desktop with the program's windows, an editor below them, and a context
// whose paste step records what it was given.
struct Scene {
  platform::sim::SimDesktop desk;
  settings::AppSettings settings;
  FakeFileSystem files;
  FakeProbe probe;
  FakeHost host;
  std::vector<std::string> through;
  core::SelfWindows self;
  platform::WindowHandle dialog_host = platform::kNoWindow;
  platform::WindowHandle editor = platform::kNoWindow;
  platform::WindowHandle editor_control = platform::kNoWindow;
  std::vector<std::pair<platform::WindowHandle, WideText>> pastes;
  TextToolsContext context;

  explicit Scene(const std::string& editor_title = "index.html - Notepad")
      : context{desk.platform(), settings, files, probe, self, through, "WinNT", platform::kNoWindow, nullptr, {}, {}} {
    self.main =
        desk.AddWindow("TTagslingMain", platform::sim::SimDesktop::kOwnProcess, platform::sim::SimDesktop::kOwnThread);
    self.application =
        desk.AddWindow("TApplication", platform::sim::SimDesktop::kOwnProcess, platform::sim::SimDesktop::kOwnThread);
    dialog_host =
        desk.AddWindow("TColorForm", platform::sim::SimDesktop::kOwnProcess, platform::sim::SimDesktop::kOwnThread);
    desk.Window(dialog_host).visible = false;  // never shown itself
    editor = desk.AddWindow("Notepad", 7, 70);
    desk.Window(editor).title = editor_title;
    editor_control = desk.AddEditor(editor);
    probe.executables[7] = "NOTEPAD.EXE";
    settings.EditorFile = "C:\\Windows\\notepad.exe";
    settings.EditorWindowClass = "Notepad";
    context.self = self;
    context.dialog_host_window = dialog_host;
    context.host = &host;
    host.desk = &desk;
    context.paste = [this](platform::WindowHandle focus, const WideText& text) { pastes.emplace_back(focus, text); };
  }
};

}  // namespace tagsling::texttools::testing
