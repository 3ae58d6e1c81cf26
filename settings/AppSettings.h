#pragma once
// The process-wide settings record and the settings file it is kept in.
//
// One table (SettingsTable) lists every key once: section, key, type, default,
// the options dialog's range, and the field of AppSettings it fills. Loading,
// saving, the defaults of a fresh record and range clamping are all driven by
// that table.
//
// Note for Win32 code: <windows.h> defines SendMessage as a macro. Include
// <windows.h> before this header and call the wide functions by their
// explicit names (SendMessageW); this header removes the macro so that the
// field below keeps its name in every file.

#include <array>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>

#include "settings/SettingsEnvironment.h"

#ifdef SendMessage
#undef SendMessage
#endif

namespace tagsling::settings {

class ProfileDocument;

// The main window's class name, which is also the name of the section holding
// its position.
inline constexpr const char* kMainWindowSection = "TTagslingMain";

// Every field is named exactly as its key. Integer fields hold what the file
// said, even outside the options dialog's range; code that uses a ranged value
// reads it through Clamped().
// The number of abbreviations the wrap dialog remembers.
inline constexpr int kAbbrevHistoryLength = 10;

struct AppSettings {
  AppSettings();  // the table's defaults (system-dependent ones empty)

  // Section "Option", in file order.
  bool WindowOnTop;
  bool HasamiMode;
  bool PasteHasamiOff;
  bool InsTextLower;
  bool UserTagNoLower;
  bool CursorBak;
  int SendMessage;  // 0 simulated keys, 1 WM_CUT/WM_COPY/WM_PASTE
  bool KeyUpPaste;
  int SendKey_Cut;    // 0..5
  int SendKey_Copy;   // 0..4
  int SendKey_Paste;  // 0..4
  int HasamiSelStr;   // 0 cut, 1 copy
  int HasamiTime;     // milliseconds, 1..10000
  bool AutoActive_OnTop;
  int AutoActive_Margin;  // pixels, 0..9999
  bool SplashWindow;
  bool NoSelStr_TagPaste;
  std::string PMHotKey;
  std::string PMHotKey_Mode;
  std::string PMHotKey_S;
  std::string PMHotKey_S_Mode;
  std::string PMHotKey_Tool;
  std::string PMHotKey_OuterTools;
  bool TrayIcon;
  bool StartNoForm;
  bool EscClose;
  bool Appbar;
  bool NoMenuBar;
  bool MenuImg;
  int PMIti_S;  // 0 caret, 1 window top-left, 2 mouse cursor
  int PMIti_A;
  int PMIti_Tool;
  int PMIti_OuterTools;
  bool MouseMove;
  bool ImageSize;
  std::string Public_Dir;
  int KihonDirOpenStyle;  // 0 folder window, 1 Explorer window
  bool SoutaiPathIns;
  std::string ActiveHotKey;
  std::string ColorHotKey;
  std::string FileHotKey;
  std::string UrlHotKey;
  std::string TextHotKey;
  std::string W640HotKey;
  std::string W800HotKey;
  std::string W1024HotKey;
  std::string HasamiHotKey;
  std::string EditorNewHotKey;
  std::string EditorOpenHotKey;
  std::string EditorWinMaxHotKey;
  std::string SetBaseDirHotKey;
  std::string DelBaseDirHotKey;
  std::string OpenBaseDirHotKey;
  std::string OpenIEHotKey;
  std::string OpenNNHotKey;
  std::string OpenDefaultBrowserHotKey;
  std::string ExpandAbbrevHotKey;
  std::string WrapAbbrevHotKey;
  std::string EditorFile;
  bool EditorWindowMax;
  std::string EditorCmdLine;
  std::string EditorWindowClass;
  std::string IeFile;
  std::string NnFile;
  // From the cut or copy on, go on as soon as the editor's text is on the
  // clipboard instead of always waiting HasamiTime.
  bool AdaptivePasteLag;
  // Put back what the clipboard held before an insertion.
  bool RestoreClipboard;
  // Live preview: the server's port (0 = the first free one from 8930 on),
  // the browser's executable ("" = the default browser), the hot key.
  int LivePreviewPort;
  std::string LivePreviewBrowser;
  std::string LivePreviewHotKey;

  // Section "System": last-used folders of the file dialogs, and the
  // abbreviations last confirmed in the wrap dialog, newest first, kept as
  // the keys AbbrevHistory0 to AbbrevHistory9 after the table's keys.
  std::string FileNameInsDir;
  std::string UrlInsDir;
  std::string TextInsDir;
  std::string HtmlOpenDir;
  std::array<std::string, kAbbrevHistoryLength> AbbrevHistory;

  // Section "Window": the main window's height limit. Read only: never
  // written back, so it changes only by editing the file.
  int FormHeight;

  // The main window's section (its class name).
  int WindowWidth;
  int WindowTop;
  int WindowLeft;
  bool WindowMax;

  // Not stored: the docked toolbar thicknesses with and without the menu
  // bar, set once at start-up by ComputeDockedThicknesses.
  int DockedThicknessWithMenu = 0;
  int DockedThicknessNoMenu = 0;

  // The value of an Integer field limited to the options dialog's range
  // (unchanged for fields without one). The stored value is left as it is.
  int Clamped(int AppSettings::*field) const;
};

// The key of entry `index` of the wrap dialog's history: "AbbrevHistory0"
// for the newest.
std::string AbbrevHistoryKey(int index);

// The one record of the process.
AppSettings& GlobalAppSettings();

// Defaults that depend on the system.
enum class SystemDefault { kNone, kEditorFile, kEditorWindowClass, kIeFile, kNnFile, kFormHeight };

using SettingField = std::variant<bool AppSettings::*, int AppSettings::*, std::string AppSettings::*>;

struct SettingDefinition {
  const char* section;  // nullptr: the main window's section
  const char* key;
  SettingField field;
  int number_default;        // Boolean (0/1) and Integer keys
  const char* text_default;  // String keys
  int min_value;             // the options dialog's range of an Integer key
  int max_value;
  SystemDefault system_default;
  bool written;  // false for keys that are only ever read
};

// Every key in the order it is read and written.
std::span<const SettingDefinition> SettingsTable();
// The table row of a field, or nullptr.
const SettingDefinition* FindSettingDefinition(const SettingField& field);

// A Boolean key read on its own through its table row (section, key and
// default), for the few keys the program needs before the record is loaded.
bool ReadBoolSetting(const ProfileDocument& file, bool AppSettings::*field);

// A save that could not be written. what() is the message shown to the user:
// "<path> に書き込めません" (cannot write to <path>), in Shift-JIS.
class SettingsWriteError : public std::runtime_error {
 public:
  explicit SettingsWriteError(const std::string& path);
  SettingsWriteError(const std::string& path, const std::string& message);
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The message of a failed settings write, in Shift-JIS.
std::string CannotWriteMessage(const std::string& path);
// The message of a settings file or "Html.dat" above the size limit
// (settings/FileAccess.h), which is neither read nor rewritten.
std::string FileTooLargeMessage(const std::string& path);

// The settings file of an executable: its path with the extension (from the
// last "." of the file name) replaced by ".INI"; ".INI" is appended to a name
// without one.
std::string SettingsFilePath(const std::string& executable_path);

// "WinNT", "Win95", "Win98", "Win3.1" or "". A first argument "/nt" in any
// case gives "WinNT" without asking the system.
std::string GetWindowsFamily(const std::string& first_argument, const OsVersion& version);
std::string GetWindowsFamily(const SettingsEnvironment& environment);

// Default value of a key below HKEY_LOCAL_MACHINE, "" when it cannot be opened.
std::string ReadAppPath(const SettingsEnvironment& environment, const std::string& key_path);

// Registry keys of the browsers' App Paths.
inline constexpr const char* kIeAppPathKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
inline constexpr const char* kNnAppPathKey = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Netscape.exe";

// Fills the record from the settings file and applies the window keys to the
// main window (width, top, left, then normal or maximized state). A missing
// or unreadable file gives the defaults.
void LoadSettings(AppSettings& settings, SettingsEnvironment& environment, const std::string& settings_path,
                  const std::string& window_section = kMainWindowSection);

// Writes the record back: everything or, on failure, nothing (the file stays
// as it was) and SettingsWriteError is thrown. The window section is left
// alone while docked; while maximized only WindowMax=1 is written so that the
// last normal position stays in the file. FormHeight is never written.
void SaveSettings(const AppSettings& settings, const SettingsEnvironment& environment, const std::string& settings_path,
                  const std::string& window_section = kMainWindowSection);

// LoadSettings and SaveSettings on the file's text held in memory. Storing
// returns false, leaving the document partly changed, when a key cannot be
// set; it never touches the file on disk.
void LoadSettings(AppSettings& settings, SettingsEnvironment& environment, const ProfileDocument& file,
                  const std::string& window_section = kMainWindowSection);
bool StoreSettings(const AppSettings& settings, const SettingsEnvironment& environment, ProfileDocument& file,
                   const std::string& window_section = kMainWindowSection);

// The docked toolbar thicknesses from the system metrics.
void ComputeDockedThicknesses(AppSettings& settings, const SettingsEnvironment& environment);

}  // namespace tagsling::settings
