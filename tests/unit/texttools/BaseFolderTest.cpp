#include "texttools/BaseFolder.h"

#include <gtest/gtest.h>

#include "tests/unit/support/TextToolsFakes.h"
#include "texttools/Messages.h"

namespace tagsling::texttools {
namespace {

using testing::Scene;

TEST(BaseFolderTest, FindEditorWindowByClassOrExecutable) {
  Scene scene;
  EXPECT_EQ(FindEditorWindow(scene.context), scene.editor);
  scene.desk.Window(scene.editor).minimised = true;
  EXPECT_EQ(FindEditorWindow(scene.context), platform::kNoWindow);
  scene.desk.Window(scene.editor).minimised = false;

  // Without a class: the process's executable, outside NT only.
  scene.settings.EditorWindowClass.clear();
  EXPECT_EQ(FindEditorWindow(scene.context), platform::kNoWindow);
  scene.context.windows_family = "Win98";
  EXPECT_EQ(FindEditorWindow(scene.context), scene.editor);
  scene.settings.EditorFile = "C:\\Windows\\other.exe";
  EXPECT_EQ(FindEditorWindow(scene.context), platform::kNoWindow);
  scene.settings.EditorFile.clear();
  EXPECT_EQ(FindEditorWindow(scene.context), platform::kNoWindow);
}

TEST(BaseFolderTest, DocumentPathReportsEachFailure) {
  Scene scene("index.html - Notepad");
  EXPECT_EQ(GetEditorDocumentPath(scene.context, false), "");
  scene.settings.Public_Dir = "C:\\web";
  scene.files.files["C:\\web\\index.html"] = "";
  EXPECT_EQ(GetEditorDocumentPath(scene.context, false), "C:\\web\\index.html");
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), "C:\\web");
  scene.desk.Window(scene.editor).visible = false;
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), "");
  scene.settings.EditorFile.clear();
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), "");
  EXPECT_EQ(scene.desk.message_boxes,
            (std::vector<std::string>{kMsgNoHtmlFilePath, kMsgNoEditorWindow, kMsgNoEditorFile}));
}

TEST(BaseFolderTest, ReportsAreBracketed) {
  Scene scene("Untitled - Notepad");
  scene.desk.SetForeground(scene.editor);
  scene.desk.Window(scene.self.main).visible = false;  // palette hidden
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), "");
  ASSERT_EQ(scene.desk.message_boxes, std::vector<std::string>{kMsgNoBaseFolderPath});
  // The foreground came back to the editor after the box.
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.editor);
}

TEST(BaseFolderTest, MakeInsertPath) {
  Scene scene("C:\\web\\sub\\page.html - Notepad");
  scene.files.files["C:\\web\\sub\\page.html"] = "";
  const std::string file = "C:\\web\\img\\a.gif";
  // Automatic: the document's folder.
  EXPECT_EQ(MakeInsertPath(scene.context, file), "../img/a.gif");
  EXPECT_EQ(MakeInsertPath(scene.context, "D:\\x\\a.gif"), "D:/x/a.gif");
  // A base folder that exists.
  scene.settings.Public_Dir = "C:\\web";
  scene.files.folders.insert("C:\\web");
  EXPECT_EQ(MakeInsertPath(scene.context, file), "img/a.gif");
  scene.settings.Public_Dir = "C:\\";
  scene.files.folders.insert("C:\\");
  EXPECT_EQ(MakeInsertPath(scene.context, file), "web/img/a.gif");
  // A base folder that is gone: the file name, after a report.
  scene.settings.Public_Dir = "C:\\gone";
  EXPECT_EQ(MakeInsertPath(scene.context, file), "a.gif");
  EXPECT_EQ(scene.desk.message_boxes, std::vector<std::string>{kMsgRelativePathFailed});
  // Relative input off: the file name whatever the base folder.
  scene.settings.SoutaiPathIns = false;
  EXPECT_EQ(MakeInsertPath(scene.context, file), "a.gif");
  // A trail byte 0x5C is no separator and stays.
  scene.settings.SoutaiPathIns = true;
  scene.settings.Public_Dir = "C:\\\x95\x5c";
  scene.files.folders.insert(scene.settings.Public_Dir);
  EXPECT_EQ(MakeInsertPath(scene.context, "C:\\\x95\x5c\\\x83\x5c\\a.gif"), "\x83\x5c/a.gif");
  // Automatic lookup failing: empty.
  scene.settings.Public_Dir.clear();
  scene.desk.Window(scene.editor).title = "Untitled";
  EXPECT_EQ(MakeInsertPath(scene.context, file), "");
}

TEST(BaseFolderTest, Display) {
  settings::AppSettings settings;
  settings.Public_Dir = "";
  settings.SoutaiPathIns = true;
  BaseFolderDisplay automatic = ComputeBaseFolderDisplay(settings, 1024);
  EXPECT_EQ(automatic.folder_text, kAutomaticBaseFolder);
  EXPECT_EQ(automatic.base_folder_hint, std::string(kBaseFolderHintPrefix) + kAutomaticBaseFolder);
  EXPECT_EQ(automatic.relative_path_text, "");
  EXPECT_TRUE(automatic.labels_visible);
  settings.Public_Dir = "C:\\web";
  settings.SoutaiPathIns = false;
  BaseFolderDisplay fixed = ComputeBaseFolderDisplay(settings, 640);
  EXPECT_EQ(fixed.folder_text, "C:\\web");
  EXPECT_EQ(fixed.base_folder_hint, std::string(kBaseFolderHintPrefix) + "C:\\web");
  EXPECT_EQ(fixed.relative_path_text, kRelativePathOff);
  EXPECT_FALSE(fixed.labels_visible);
}

TEST(BaseFolderTest, SetAndClearBaseFolder) {
  Scene scene;
  scene.host.folder_answer = "D:\\site";
  SetBaseFolder(scene.context);
  EXPECT_EQ(scene.settings.Public_Dir, "D:\\site");
  EXPECT_EQ(scene.settings.FileNameInsDir, "D:\\site");
  EXPECT_EQ(scene.settings.HtmlOpenDir, "D:\\site");
  ASSERT_EQ(scene.host.folder_pickers.size(), 1u);
  EXPECT_EQ(scene.host.folder_pickers[0].caption, kFolderPickerCaption);
  EXPECT_EQ(scene.host.folder_pickers[0].selected, "");
  EXPECT_EQ(scene.host.events, (std::vector<std::string>{"busy 4", "disable", "dialog", "enable", "idle 4"}));
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.self.main);

  // Cancelled: nothing changes; with the palette hidden the editor is next.
  scene.host.folder_answer.reset();
  scene.host.palette_showing = false;
  SetBaseFolder(scene.context);
  EXPECT_EQ(scene.settings.Public_Dir, "D:\\site");
  EXPECT_EQ(scene.host.folder_pickers[1].selected, "D:\\site");
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.editor);

  scene.host.yes = false;
  ClearBaseFolder(scene.context);
  EXPECT_EQ(scene.settings.Public_Dir, "D:\\site");
  scene.host.yes = true;
  ClearBaseFolder(scene.context);
  EXPECT_EQ(scene.settings.Public_Dir, "");
  EXPECT_EQ(scene.host.displays.back().folder_text, kAutomaticBaseFolder);

  ToggleRelativePathInput(scene.context, true);
  EXPECT_FALSE(scene.settings.SoutaiPathIns);
  EXPECT_EQ(scene.host.displays.back().relative_path_text, kRelativePathOff);
}

TEST(BaseFolderTest, FailingDialogLeavesThePaletteUsable) {
  Scene scene;
  scene.host.folder_picker_throws = true;
  EXPECT_THROW(SetBaseFolder(scene.context), std::runtime_error);
  EXPECT_EQ(scene.host.events, (std::vector<std::string>{"busy 4", "disable", "dialog", "enable", "idle 4"}));
}

TEST(BaseFolderTest, OpenBaseFolderStyles) {
  EXPECT_EQ(BaseFolderOpenRequest("C:\\web", 0), (ShellOpenRequest{"C:\\web", ""}));
  EXPECT_EQ(BaseFolderOpenRequest("C:\\web", 1), (ShellOpenRequest{"explorer.exe", "/e,\"C:\\web\""}));
  EXPECT_FALSE(BaseFolderOpenRequest("C:\\web", 2));

  Scene scene;
  scene.settings.Public_Dir = "C:\\web";
  scene.settings.KihonDirOpenStyle = 1;
  OpenBaseFolder(scene.context);
  EXPECT_EQ(scene.host.shell_requests.back().file, "explorer.exe");
  scene.host.shell_result = false;
  OpenBaseFolder(scene.context);
  scene.host.shell_result = true;
  scene.settings.KihonDirOpenStyle = 5;
  OpenBaseFolder(scene.context);
  EXPECT_EQ(scene.host.shell_requests.size(), 2u);
  EXPECT_EQ(scene.desk.message_boxes, std::vector<std::string>(2, kMsgCannotOpenBaseFolder));
}

}  // namespace
}  // namespace tagsling::texttools
