// The settings table and the procedures it drives. Loading reads the whole
// file once into a ProfileDocument; saving changes that document in memory
// and replaces the file in one step, so a save writes every key or none.

#include "settings/AppSettings.h"

#include <algorithm>
#include <climits>
#include <type_traits>

#include "common/Sjis.h"
#include "common/SjisLiteral.h"
#include "settings/ProfileFile.h"

namespace tagsling::settings {

namespace {

constexpr int kNoMin = INT_MIN;
constexpr int kNoMax = INT_MAX;

// Each row names its field by the key itself, so key and field cannot drift
// apart.
#define TS_BOOL(section, key, def) \
  { section, #key, &AppSettings::key, (def) ? 1 : 0, "", 0, 1, SystemDefault::kNone, true }
#define TS_INT(section, key, def, lo, hi) \
  { section, #key, &AppSettings::key, def, "", lo, hi, SystemDefault::kNone, true }
#define TS_TEXT(section, key) \
  { section, #key, &AppSettings::key, 0, "", 0, 0, SystemDefault::kNone, true }
#define TS_SYSTEM(section, key, system) \
  { section, #key, &AppSettings::key, 0, "", kNoMin, kNoMax, system, true }

const SettingDefinition kSettingsTable[] = {
    // The main window's section: read first and applied to the window.
    TS_INT(nullptr, WindowWidth, 617, kNoMin, kNoMax),
    TS_INT(nullptr, WindowTop, 0, kNoMin, kNoMax),
    TS_INT(nullptr, WindowLeft, 0, kNoMin, kNoMax),
    TS_BOOL(nullptr, WindowMax, true),

    TS_BOOL("Option", WindowOnTop, false),
    TS_BOOL("Option", HasamiMode, false),
    TS_BOOL("Option", PasteHasamiOff, true),
    TS_BOOL("Option", InsTextLower, false),
    TS_BOOL("Option", UserTagNoLower, false),
    TS_BOOL("Option", CursorBak, true),
    TS_INT("Option", SendMessage, 0, 0, 1),
    TS_BOOL("Option", KeyUpPaste, true),
    TS_INT("Option", SendKey_Cut, 0, 0, 5),
    TS_INT("Option", SendKey_Copy, 0, 0, 4),
    TS_INT("Option", SendKey_Paste, 0, 0, 4),
    TS_INT("Option", HasamiSelStr, 0, 0, 1),
    TS_INT("Option", HasamiTime, 100, 1, 10000),
    TS_BOOL("Option", AutoActive_OnTop, false),
    TS_INT("Option", AutoActive_Margin, 100, 0, 9999),
    TS_BOOL("Option", SplashWindow, true),
    TS_BOOL("Option", NoSelStr_TagPaste, false),
    TS_TEXT("Option", PMHotKey),
    TS_TEXT("Option", PMHotKey_Mode),
    TS_TEXT("Option", PMHotKey_S),
    TS_TEXT("Option", PMHotKey_S_Mode),
    TS_TEXT("Option", PMHotKey_Tool),
    TS_TEXT("Option", PMHotKey_OuterTools),
    TS_BOOL("Option", TrayIcon, false),
    TS_BOOL("Option", StartNoForm, false),
    TS_BOOL("Option", EscClose, false),
    TS_BOOL("Option", Appbar, false),
    TS_BOOL("Option", NoMenuBar, true),
    TS_BOOL("Option", MenuImg, true),
    TS_INT("Option", PMIti_S, 0, 0, 2),
    TS_INT("Option", PMIti_A, 1, 0, 2),
    TS_INT("Option", PMIti_Tool, 0, 0, 2),
    TS_INT("Option", PMIti_OuterTools, 2, 0, 2),
    TS_BOOL("Option", MouseMove, false),
    TS_BOOL("Option", ImageSize, false),
    TS_TEXT("Option", Public_Dir),
    TS_INT("Option", KihonDirOpenStyle, 0, 0, 1),
    TS_BOOL("Option", SoutaiPathIns, true),
    TS_TEXT("Option", ActiveHotKey),
    TS_TEXT("Option", ColorHotKey),
    TS_TEXT("Option", FileHotKey),
    TS_TEXT("Option", UrlHotKey),
    TS_TEXT("Option", TextHotKey),
    TS_TEXT("Option", W640HotKey),
    TS_TEXT("Option", W800HotKey),
    TS_TEXT("Option", W1024HotKey),
    TS_TEXT("Option", HasamiHotKey),
    TS_TEXT("Option", EditorNewHotKey),
    TS_TEXT("Option", EditorOpenHotKey),
    TS_TEXT("Option", EditorWinMaxHotKey),
    TS_TEXT("Option", SetBaseDirHotKey),
    TS_TEXT("Option", DelBaseDirHotKey),
    TS_TEXT("Option", OpenBaseDirHotKey),
    TS_TEXT("Option", OpenIEHotKey),
    TS_TEXT("Option", OpenNNHotKey),
    TS_TEXT("Option", OpenDefaultBrowserHotKey),
    TS_TEXT("Option", ExpandAbbrevHotKey),
    TS_TEXT("Option", WrapAbbrevHotKey),
    TS_SYSTEM("Option", EditorFile, SystemDefault::kEditorFile),
    TS_BOOL("Option", EditorWindowMax, true),
    TS_TEXT("Option", EditorCmdLine),
    TS_SYSTEM("Option", EditorWindowClass, SystemDefault::kEditorWindowClass),
    TS_SYSTEM("Option", IeFile, SystemDefault::kIeFile),
    TS_SYSTEM("Option", NnFile, SystemDefault::kNnFile),
    TS_BOOL("Option", AdaptivePasteLag, true),
    TS_BOOL("Option", RestoreClipboard, false),
    // Live preview: 0 takes the first free port from 8930 on; an empty
    // browser is the default browser.
    TS_INT("Option", LivePreviewPort, 0, 0, 65535),
    TS_TEXT("Option", LivePreviewBrowser),
    TS_TEXT("Option", LivePreviewHotKey),

    TS_TEXT("System", FileNameInsDir),
    TS_TEXT("System", UrlInsDir),
    TS_TEXT("System", TextInsDir),
    TS_TEXT("System", HtmlOpenDir),

    // Read only: a hand edit is the only way to change it.
    {"Window", "FormHeight", &AppSettings::FormHeight, 0, "", kNoMin, kNoMax, SystemDefault::kFormHeight, false},
};

#undef TS_BOOL
#undef TS_INT
#undef TS_TEXT
#undef TS_SYSTEM

// The wrap dialog's history, AbbrevHistory0 (the newest) to AbbrevHistory9.
constexpr const char* kAbbrevHistorySection = "System";

// "\NOTEPAD.EXE" after the Windows directory; the class of Notepad's window.
constexpr const char* kNotepadFile = "\\NOTEPAD.EXE";
constexpr const char* kNotepadClass = "Notepad";
// " に書き込めません" (cannot write to) in Shift-JIS.
constexpr const char* kCannotWriteSuffix = " に書き込めません"_sjis;
// " は 4 MB を超えているため読み込みません。ファイルは書き換えません。" (is over
// 4 MB: not read, and not rewritten).
constexpr const char* kTooLargeSuffix = " は 4 MB を超えているため読み込みません。ファイルは書き換えません。"_sjis;

bool IsMainWindowRow(const SettingDefinition& row) { return row.section == nullptr; }

// "/nt" in any case makes the program behave as on NT.
bool IsNtSwitch(const std::string& argument) { return SjisToLower(argument) == "/nt"; }

int FormHeightDefault(const SettingsEnvironment& environment) {
  return environment.GetSystemMetric(SystemMetric::kCaptionHeight) +
         environment.GetSystemMetric(SystemMetric::kMenuHeight) +
         2 * environment.GetSystemMetric(SystemMetric::kFrameHeight) + 54;
}

// The default of a system-dependent row.
std::string SystemTextDefault(SystemDefault kind, const SettingsEnvironment& environment) {
  switch (kind) {
    case SystemDefault::kEditorFile: {
      // GetWindowsDirectoryA hands back at most 256 characters.
      std::string folder = environment.WindowsDirectory();
      if (folder.size() > 256) folder.resize(256);
      return folder + kNotepadFile;
    }
    case SystemDefault::kEditorWindowClass:
      return kNotepadClass;
    case SystemDefault::kIeFile:
      return ReadAppPath(environment, kIeAppPathKey);
    case SystemDefault::kNnFile:
      return ReadAppPath(environment, kNnAppPathKey);
    default:
      return {};
  }
}

}  // namespace

bool ReadBoolSetting(const ProfileDocument& file, bool AppSettings::*field) {
  const SettingDefinition* row = FindSettingDefinition(field);
  if (!row) throw std::logic_error("ReadBoolSetting: a field without a table row");
  return file.GetBool(row->section ? row->section : kMainWindowSection, row->key, row->number_default != 0);
}

std::span<const SettingDefinition> SettingsTable() { return kSettingsTable; }

std::string AbbrevHistoryKey(int index) { return "AbbrevHistory" + std::to_string(index); }

const SettingDefinition* FindSettingDefinition(const SettingField& field) {
  for (const SettingDefinition& row : kSettingsTable) {
    if (row.field == field) return &row;
  }
  return nullptr;
}

AppSettings::AppSettings() {
  for (const SettingDefinition& row : kSettingsTable) {
    std::visit(
        [&](auto member) {
          using Value = std::remove_reference_t<decltype(this->*member)>;
          if constexpr (std::is_same_v<Value, bool>)
            this->*member = row.number_default != 0;
          else if constexpr (std::is_same_v<Value, int>)
            this->*member = row.number_default;
          else
            this->*member = row.text_default;
        },
        row.field);
  }
}

int AppSettings::Clamped(int AppSettings::*field) const {
  const SettingDefinition* row = FindSettingDefinition(field);
  if (row == nullptr) return this->*field;
  return std::clamp(this->*field, row->min_value, row->max_value);
}

AppSettings& GlobalAppSettings() {
  static AppSettings settings;
  return settings;
}

std::string CannotWriteMessage(const std::string& path) { return path + kCannotWriteSuffix; }

std::string FileTooLargeMessage(const std::string& path) { return path + kTooLargeSuffix; }

SettingsWriteError::SettingsWriteError(const std::string& path)
    : std::runtime_error(CannotWriteMessage(path)), path_(path) {}

SettingsWriteError::SettingsWriteError(const std::string& path, const std::string& message)
    : std::runtime_error(message), path_(path) {}

std::string SettingsFilePath(const std::string& executable_path) {
  // The file name starts after the last path separator; a backslash can be
  // the trail byte of a double-byte character, so walk by characters.
  std::size_t name_start = 0;
  std::size_t last_dot = std::string::npos;
  for (std::size_t pos = 0; pos < executable_path.size(); pos += SjisCharLength(executable_path, pos)) {
    if (SjisCharLength(executable_path, pos) != 1) continue;
    char c = executable_path[pos];
    if (c == '\\' || c == '/' || c == ':') {
      name_start = pos + 1;
      last_dot = std::string::npos;
    } else if (c == '.') {
      last_dot = pos;
    }
  }
  std::string stem =
      last_dot != std::string::npos && last_dot >= name_start ? executable_path.substr(0, last_dot) : executable_path;
  return stem + ".INI";
}

std::string GetWindowsFamily(const std::string& first_argument, const OsVersion& version) {
  if (IsNtSwitch(first_argument)) return "WinNT";
  if (!version.available) return "";
  switch (version.platform_id) {
    case 0:
      return "Win3.1";
    case 1:
      if (version.minor == 0) return "Win95";
      if (version.minor == 10) return "Win98";
      return "";
    case 2:
      return "WinNT";
    default:
      return "";
  }
}

std::string GetWindowsFamily(const SettingsEnvironment& environment) {
  // The version is asked only when the argument does not decide.
  std::string argument = environment.FirstCommandLineArgument();
  return IsNtSwitch(argument) ? "WinNT" : GetWindowsFamily(argument, environment.GetOsVersion());
}

std::string ReadAppPath(const SettingsEnvironment& environment, const std::string& key_path) {
  return environment.ReadMachineRegistryDefault(key_path).value_or("");
}

void LoadSettings(AppSettings& settings, SettingsEnvironment& environment, const std::string& settings_path,
                  const std::string& window_section) {
  LoadSettings(settings, environment, ProfileDocument::Load(settings_path), window_section);
}

void LoadSettings(AppSettings& settings, SettingsEnvironment& environment, const ProfileDocument& file,
                  const std::string& window_section) {
  std::optional<std::string> family;  // asked once, when EditorWindowClass is reached
  for (const SettingDefinition& row : kSettingsTable) {
    const char* section = IsMainWindowRow(row) ? window_section.c_str() : row.section;
    if (row.system_default == SystemDefault::kEditorWindowClass) {
      if (!family) family = GetWindowsFamily(environment);
      // Outside NT the editor is told by its executable instead; the key is
      // not read at all.
      if (*family != "WinNT") {
        settings.EditorWindowClass.clear();
        continue;
      }
    }
    std::visit(
        [&](auto member) {
          using Value = std::remove_reference_t<decltype(settings.*member)>;
          if constexpr (std::is_same_v<Value, bool>) {
            settings.*member = file.GetBool(section, row.key, row.number_default != 0);
          } else if constexpr (std::is_same_v<Value, int>) {
            int fallback =
                row.system_default == SystemDefault::kFormHeight ? FormHeightDefault(environment) : row.number_default;
            settings.*member = file.GetInt(section, row.key, fallback);
          } else {
            std::string fallback = row.system_default == SystemDefault::kNone
                                       ? std::string(row.text_default)
                                       : SystemTextDefault(row.system_default, environment);
            settings.*member = file.Get(section, row.key, fallback);
          }
        },
        row.field);
  }
  for (int i = 0; i < kAbbrevHistoryLength; ++i) {
    settings.AbbrevHistory[static_cast<std::size_t>(i)] = file.Get(kAbbrevHistorySection, AbbrevHistoryKey(i), "");
  }
  environment.ApplyMainWindowPlacement(settings.WindowWidth, settings.WindowTop, settings.WindowLeft,
                                       settings.WindowMax);
}

void SaveSettings(const AppSettings& settings, const SettingsEnvironment& environment, const std::string& settings_path,
                  const std::string& window_section) {
  ProfileDocument file = ProfileDocument::Load(settings_path);
  if (file.LoadTooLarge()) throw SettingsWriteError(settings_path, FileTooLargeMessage(settings_path));
  if (!StoreSettings(settings, environment, file, window_section) || !file.Save())
    throw SettingsWriteError(settings_path);
}

bool StoreSettings(const AppSettings& settings, const SettingsEnvironment& environment, ProfileDocument& file,
                   const std::string& window_section) {
  AppSettings written = settings;
  bool docked = environment.MainWindowDocked();
  bool zoomed = !docked && environment.MainWindowZoomed();
  if (!docked && !zoomed) {
    WindowBounds bounds = environment.MainWindowBounds();
    written.WindowWidth = bounds.width;
    written.WindowTop = bounds.top;
    written.WindowLeft = bounds.left;
  }
  written.WindowMax = zoomed;

  bool ok = true;
  for (const SettingDefinition& row : kSettingsTable) {
    if (!row.written) continue;
    if (IsMainWindowRow(row)) {
      // Docked: the section stays as it is. Maximized: only WindowMax, so the
      // last normal position survives.
      if (docked || (zoomed && row.field != SettingField(&AppSettings::WindowMax))) continue;
    }
    const char* section = IsMainWindowRow(row) ? window_section.c_str() : row.section;
    ok = ok && std::visit(
                   [&](auto member) {
                     using Value = std::remove_reference_t<decltype(written.*member)>;
                     if constexpr (std::is_same_v<Value, bool>)
                       return file.SetBool(section, row.key, written.*member);
                     else if constexpr (std::is_same_v<Value, int>)
                       return file.SetInt(section, row.key, written.*member);
                     else
                       return file.Set(section, row.key, written.*member);
                   },
                   row.field);
  }
  // After the table's last written key, so a new file keeps the order it
  // always had.
  for (int i = 0; i < kAbbrevHistoryLength; ++i) {
    ok = ok && file.Set(kAbbrevHistorySection, AbbrevHistoryKey(i), written.AbbrevHistory[static_cast<std::size_t>(i)]);
  }
  return ok;
}

void ComputeDockedThicknesses(AppSettings& settings, const SettingsEnvironment& environment) {
  settings.DockedThicknessWithMenu = environment.GetSystemMetric(SystemMetric::kMenuHeight) +
                                     2 * environment.GetSystemMetric(SystemMetric::kEdgeHeight) + 55;
  settings.DockedThicknessNoMenu = 2 * environment.GetSystemMetric(SystemMetric::kBorderHeight) + 54;
}

}  // namespace tagsling::settings
