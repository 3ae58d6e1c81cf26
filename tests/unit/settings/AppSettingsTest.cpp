#include "settings/AppSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "settings/ProfileFile.h"
#include "tests/unit/support/ScratchFolder.h"

namespace tagsling::settings {
namespace {

using test::FileBytes;
using test::MakeReadOnly;
using test::PutFile;
using test::ScratchFolder;

class FakeEnvironment : public SettingsEnvironment {
 public:
  WindowBounds bounds{10, 20, 700, 80};
  bool zoomed = false;
  bool docked = false;
  OsVersion version;
  std::string argument;
  std::map<std::string, std::string> registry{{kIeAppPathKey, "C:\\IE\\IEXPLORE.EXE"}};
  std::map<SystemMetric, int> metrics{{SystemMetric::kCaptionHeight, 19},
                                      {SystemMetric::kMenuHeight, 20},
                                      {SystemMetric::kFrameHeight, 4},
                                      {SystemMetric::kEdgeHeight, 2},
                                      {SystemMetric::kBorderHeight, 1}};

  struct Placement {
    int width, top, left;
    bool maximized;
  };
  std::vector<Placement> applied;

  WindowBounds MainWindowBounds() const override { return bounds; }
  bool MainWindowZoomed() const override { return zoomed; }
  bool MainWindowDocked() const override { return docked; }
  void ApplyMainWindowPlacement(int width, int top, int left, bool maximized) override {
    applied.push_back({width, top, left, maximized});
  }
  int GetSystemMetric(SystemMetric metric) const override { return metrics.at(metric); }
  std::string WindowsDirectory() const override { return "C:\\WINDOWS"; }
  OsVersion GetOsVersion() const override { return version; }
  std::optional<std::string> ReadMachineRegistryDefault(const std::string& key_path) const override {
    auto found = registry.find(key_path);
    if (found == registry.end()) return std::nullopt;
    return found->second;
  }
  std::string FirstCommandLineArgument() const override { return argument; }
};

class AppSettingsTest : public ::testing::Test {
 protected:
  AppSettings Load() {
    AppSettings settings;
    LoadSettings(settings, environment, path);
    return settings;
  }
  std::string Read(const char* section, const char* key) { return ReadProfileString(path, section, key, "<none>"); }

  ScratchFolder folder;
  std::string path = folder.Path("tagsling.INI");
  FakeEnvironment environment;
};

TEST_F(AppSettingsTest, DefaultsWithoutAFile) {
  AppSettings settings = Load();
  ASSERT_EQ(environment.applied.size(), 1u);
  EXPECT_EQ(environment.applied[0].width, 617);
  EXPECT_EQ(environment.applied[0].top, 0);
  EXPECT_EQ(environment.applied[0].left, 0);
  EXPECT_TRUE(environment.applied[0].maximized);
  EXPECT_EQ(settings.EditorFile, "C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(settings.EditorWindowClass, "Notepad");
  EXPECT_EQ(settings.IeFile, "C:\\IE\\IEXPLORE.EXE");
  EXPECT_EQ(settings.NnFile, "");
  EXPECT_FALSE(settings.HasamiMode);
  EXPECT_TRUE(settings.PasteHasamiOff);
  EXPECT_EQ(settings.HasamiTime, 100);
  EXPECT_EQ(settings.PMIti_A, 1);
  EXPECT_EQ(settings.PMIti_OuterTools, 2);
  EXPECT_EQ(settings.FormHeight, 19 + 20 + 2 * 4 + 54);
  EXPECT_FALSE(std::filesystem::exists(path)) << "loading never creates the file";
}

TEST_F(AppSettingsTest, ReadsValuesOfEachType) {
  PutFile(path,
          "[TTagslingMain]\r\nWindowWidth=800\r\nWindowTop=-5\r\nWindowLeft=0x10\r\nWindowMax=0\r\n"
          "[option]\r\nhasamimode=1\r\nCursorBak=abc\r\nKeyUpPaste=7\r\nHasamiTime=0x1F4\r\n"
          "PMHotKey=Ctrl+Q\r\nPublic_Dir=\"C:\\\x83\x5c\x83\x74\x83\x67\\ \"\r\nEditorFile=D:\\ed.exe\r\n"
          "[System]\r\nHtmlOpenDir=E:\\\r\n[Window]\r\nFormHeight=200\r\n");
  AppSettings settings = Load();
  ASSERT_EQ(environment.applied.size(), 1u);
  EXPECT_EQ(environment.applied[0].width, 800);
  EXPECT_EQ(environment.applied[0].top, -5);
  EXPECT_EQ(environment.applied[0].left, 16);
  EXPECT_FALSE(environment.applied[0].maximized);
  EXPECT_TRUE(settings.HasamiMode);
  EXPECT_TRUE(settings.CursorBak) << "no integer: the default";
  EXPECT_TRUE(settings.KeyUpPaste);
  EXPECT_EQ(settings.HasamiTime, 500);
  EXPECT_EQ(settings.PMHotKey, "Ctrl+Q");
  EXPECT_EQ(settings.Public_Dir, "C:\\\x83\x5c\x83\x74\x83\x67\\ ");
  EXPECT_EQ(settings.EditorFile, "D:\\ed.exe");
  EXPECT_EQ(settings.HtmlOpenDir, "E:\\");
  EXPECT_EQ(settings.FormHeight, 200);
}

TEST_F(AppSettingsTest, WindowsFamily) {
  struct {
    const char* argument;
    bool available;
    unsigned platform, minor;
    const char* expected;
  } cases[] = {
      {"", true, 0, 0, "Win3.1"},    {"", true, 1, 0, "Win95"},     {"", true, 1, 10, "Win98"},
      {"", true, 1, 90, ""},         {"", true, 2, 0, "WinNT"},     {"", true, 3, 0, ""},
      {"", false, 2, 0, ""},         {"/nt", true, 1, 0, "WinNT"},  {"/NT", true, 0, 0, "WinNT"},
      {"/Nt", false, 1, 0, "WinNT"}, {"/nt2", true, 1, 0, "Win95"}, {"nt", true, 1, 10, "Win98"},
  };
  for (const auto& c : cases) {
    environment.argument = c.argument;
    environment.version = {c.available, c.platform, 4, c.minor};
    EXPECT_EQ(GetWindowsFamily(environment), c.expected) << c.argument << " " << c.platform << "." << c.minor;
  }
}

TEST_F(AppSettingsTest, EditorWindowClassOnlyOnNt) {
  PutFile(path, "[Option]\r\nEditorWindowClass=Hidemaru32Class\r\n");
  environment.version = {true, 1, 4, 0};
  AppSettings settings = Load();
  EXPECT_EQ(settings.EditorWindowClass, "");
  SaveSettings(settings, environment, path);
  EXPECT_EQ(Read("Option", "EditorWindowClass"), "");

  PutFile(path, "[Option]\r\nEditorWindowClass=Hidemaru32Class\r\n");
  environment.argument = "/NT";
  EXPECT_EQ(Load().EditorWindowClass, "Hidemaru32Class");
}

TEST_F(AppSettingsTest, SavingWindowSectionFollowsWindowState) {
  const std::string window_section =
      "[TTagslingMain]\r\nWindowWidth=650\r\nWindowTop=3\r\nWindowLeft=4\r\nWindowMax=0\r\n";
  struct {
    const char* name;
    bool docked, zoomed;
    std::string width, top, left, max;
  } cases[] = {
      {"Normal", false, false, "700", "20", "10", "0"},
      {"MaximizedKeepsLastNormalPosition", false, true, "650", "3", "4", "1"},
      {"DockedLeavesSectionAlone", true, true, "650", "3", "4", "0"},
  };
  for (const auto& c : cases) {
    PutFile(path, window_section);
    environment.docked = c.docked;
    environment.zoomed = c.zoomed;
    SaveSettings(AppSettings(), environment, path);
    EXPECT_EQ(Read("TTagslingMain", "WindowWidth"), c.width) << c.name;
    EXPECT_EQ(Read("TTagslingMain", "WindowTop"), c.top) << c.name;
    EXPECT_EQ(Read("TTagslingMain", "WindowLeft"), c.left) << c.name;
    EXPECT_EQ(Read("TTagslingMain", "WindowMax"), c.max) << c.name;
    if (c.docked) {
      EXPECT_EQ(FileBytes(path).substr(0, window_section.size()), window_section);
    }
  }
}

TEST_F(AppSettingsTest, SaveKeepsForeignLinesAndNeverWritesFormHeight) {
  const std::string foreign = "; mine\r\n[UserTag]\r\nItemCount=1\r\nTitle0=a\r\n[Window]\r\nFormHeight=200\r\nX=1\r\n";
  PutFile(path, foreign);
  AppSettings settings = Load();
  settings.SendMessage = 1;
  settings.SendKey_Cut = 4;
  settings.HasamiTime = 999999;  // out of range: stored and written as is
  SaveSettings(settings, environment, path);
  EXPECT_EQ(FileBytes(path).substr(0, foreign.size()), foreign);
  EXPECT_EQ(Read("Option", "SendKey_Cut"), "4");
  EXPECT_EQ(Read("Option", "HasamiTime"), "999999");

  std::filesystem::remove(path);
  SaveSettings(AppSettings(), environment, path);
  EXPECT_EQ(Read("Window", "FormHeight"), "<none>");
}

TEST_F(AppSettingsTest, SaveThenLoadGivesTheSameRecord) {
  AppSettings original = Load();
  original.HasamiMode = true;
  original.PMIti_S = 2;
  original.OpenNNHotKey = "Shift+Ctrl+N";
  original.EditorCmdLine = " -x \"%1\" ";
  original.TextInsDir = "C:\\\x83\x5c";
  SaveSettings(original, environment, path);
  AppSettings loaded = Load();
  for (const SettingDefinition& row : SettingsTable()) {
    if (!row.written || row.section == nullptr) continue;
    std::visit([&](auto member) { EXPECT_EQ(loaded.*member, original.*member) << row.key; }, row.field);
  }
}

TEST_F(AppSettingsTest, FailedSaveReportsAndLeavesFileIntact) {
  const std::string old = "[Option]\r\nHasamiMode=1\r\n";
  PutFile(path, old);
  MakeReadOnly(path);
  try {
    SaveSettings(AppSettings(), environment, path);
    FAIL() << "a read-only file cannot be saved";
  } catch (const SettingsWriteError& error) {
    EXPECT_EQ(std::string(error.what()), path + " \x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9\x82\xf1");
    EXPECT_EQ(error.Path(), path);
  }
  EXPECT_EQ(FileBytes(path), old);
}

TEST_F(AppSettingsTest, ClampedLimitsToDialogRangesOnly) {
  AppSettings settings;
  struct {
    int AppSettings::*field;
    int stored;
    int expected;
  } cases[] = {
      {&AppSettings::HasamiTime, 0, 1},         {&AppSettings::HasamiTime, -7, 1},
      {&AppSettings::HasamiTime, 20000, 10000}, {&AppSettings::HasamiTime, 250, 250},
      {&AppSettings::AutoActive_Margin, -1, 0}, {&AppSettings::AutoActive_Margin, 10000, 9999},
      {&AppSettings::SendKey_Cut, 6, 5},        {&AppSettings::SendKey_Copy, 5, 4},
      {&AppSettings::SendKey_Paste, -1, 0},     {&AppSettings::PMIti_S, 3, 2},
      {&AppSettings::PMIti_OuterTools, -3, 0},  {&AppSettings::SendMessage, 2, 1},
      {&AppSettings::HasamiSelStr, 9, 1},       {&AppSettings::KihonDirOpenStyle, -1, 0},
      {&AppSettings::WindowTop, -500, -500},    {&AppSettings::FormHeight, 12345, 12345},
  };
  for (const auto& c : cases) {
    settings.*c.field = c.stored;
    EXPECT_EQ(settings.Clamped(c.field), c.expected) << FindSettingDefinition(c.field)->key << " " << c.stored;
    EXPECT_EQ(settings.*c.field, c.stored);
  }
}

TEST(SettingsTableTest, EachKeyAndFieldOnce) {
  std::set<std::pair<std::string, std::string>> keys;
  for (const SettingDefinition& row : SettingsTable()) {
    std::string section = row.section ? row.section : "";
    EXPECT_TRUE(keys.insert({section, row.key}).second) << row.key;
    EXPECT_EQ(FindSettingDefinition(row.field), &row) << row.key;
  }
  // The window section, "Option", "System" (four folders; the abbreviation
  // history's ten keys follow the table) and "Window".
  EXPECT_EQ(keys.size(), 4u + 69u + 4u + 1u);
}

TEST(SettingsFilePathTest, ReplacesTheExtension) {
  struct {
    const char* executable;
    const char* expected;
  } cases[] = {
      {"C:\\Tagsling\\tagsling.exe", "C:\\Tagsling\\tagsling.INI"},
      {"C:\\a\\b.c.exe", "C:\\a\\b.c.INI"},
      {"C:\\dir.v2\\tagsling", "C:\\dir.v2\\tagsling.INI"},
      {"/usr/bin/tagsling", "/usr/bin/tagsling.INI"},
      {"tagsling.", "tagsling.INI"},
      // "ソ" ends in 0x5C, which is no path separator here.
      {"C:\\a\\b.\x83\x5c"
       "c",
       "C:\\a\\b.INI"},
  };
  for (const auto& c : cases) EXPECT_EQ(SettingsFilePath(c.executable), c.expected) << c.executable;
}

TEST_F(AppSettingsTest, DocumentInMemoryLoadsAndStoresAsTheFileDoes) {
  const std::string text = "; kept\r\n[Option]\r\nHasamiTime=250\r\nPublic_Dir=\" C:\\www \"\r\n";
  PutFile(path, text);
  AppSettings from_file = Load();
  AppSettings from_text;
  LoadSettings(from_text, environment, ProfileDocument::FromText(text));
  EXPECT_EQ(from_text.HasamiTime, 250);
  EXPECT_EQ(from_text.Public_Dir, " C:\\www ");
  EXPECT_EQ(from_text.HasamiTime, from_file.HasamiTime);
  EXPECT_EQ(from_text.Public_Dir, from_file.Public_Dir);

  ProfileDocument document = ProfileDocument::FromText(text);
  ASSERT_TRUE(StoreSettings(from_text, environment, document));
  SaveSettings(from_file, environment, path);
  EXPECT_EQ(document.Text(), FileBytes(path));
}

// The wrap dialog's history is one list in the record and ten keys in the
// file, as the files written before it became a list have them.
TEST_F(AppSettingsTest, AbbreviationHistoryReadsAndWritesItsTenKeys) {
  const std::string text = "[System]\r\nHtmlOpenDir=C:\\www\r\nAbbrevHistory0=ul>li*\r\nAbbrevHistory3=p.note\r\n";
  AppSettings settings;
  LoadSettings(settings, environment, ProfileDocument::FromText(text));
  EXPECT_EQ(settings.AbbrevHistory[0], "ul>li*");
  EXPECT_EQ(settings.AbbrevHistory[1], "");
  EXPECT_EQ(settings.AbbrevHistory[3], "p.note");

  settings.AbbrevHistory[9] = "dl>dt+dd";
  ProfileDocument document = ProfileDocument::FromText("");
  ASSERT_TRUE(StoreSettings(settings, environment, document));
  std::string system_section = "[System]\r\nFileNameInsDir=\r\nUrlInsDir=\r\nTextInsDir=\r\nHtmlOpenDir=C:\\www\r\n";
  for (int i = 0; i < kAbbrevHistoryLength; ++i) {
    system_section +=
        "AbbrevHistory" + std::to_string(i) + "=" + settings.AbbrevHistory[static_cast<size_t>(i)] + "\r\n";
  }
  const std::string stored = document.Text();
  ASSERT_GE(stored.size(), system_section.size());
  EXPECT_EQ(stored.substr(stored.size() - system_section.size()), system_section);
}

TEST(DockedThicknessTest, FromSystemMetrics) {
  FakeEnvironment environment;
  AppSettings settings;
  ComputeDockedThicknesses(settings, environment);
  EXPECT_EQ(settings.DockedThicknessWithMenu, 20 + 2 * 2 + 55);
  EXPECT_EQ(settings.DockedThicknessNoMenu, 2 * 1 + 54);
}

}  // namespace
}  // namespace tagsling::settings
