#include "texttools/BaseFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "tests/unit/support/TextToolsFakes.h"
#include "texttools/Messages.h"

namespace tagsling::texttools {
namespace {

using testing::Scene;
using testing::Sjis;
using testing::W;

TEST(BaseFolderTest, FindEditorWindowByClassOrExecutable) {
  Scene scene;
  EXPECT_EQ(FindEditorWindow(scene.context), scene.editor);
  scene.desk.Window(scene.editor).minimised = true;
  EXPECT_EQ(FindEditorWindow(scene.context), platform::kNoWindow);
  scene.desk.Window(scene.editor).minimised = false;
  // A versioned class as detection stored it, after the editor's update.
  scene.settings.EditorWindowClass = "TextEditorWindowM64WP177";
  scene.desk.Window(scene.editor).class_name = "TextEditorWindowM64WP178";
  EXPECT_EQ(FindEditorWindow(scene.context), scene.editor);
  scene.settings.EditorWindowClass = "Notepad";
  scene.desk.Window(scene.editor).class_name = "Notepad";

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
  EXPECT_EQ(GetEditorDocumentPath(scene.context, false), u"");
  scene.settings.Public_Dir = "C:\\web";
  scene.files.files[u"C:\\web\\index.html"] = "";
  EXPECT_EQ(GetEditorDocumentPath(scene.context, false), u"C:\\web\\index.html");
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), u"C:\\web");
  scene.desk.Window(scene.editor).visible = false;
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), u"");
  scene.settings.EditorFile.clear();
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), u"");
  EXPECT_EQ(scene.desk.message_boxes,
            (std::vector<std::string>{kMsgNoHtmlFilePath, kMsgNoEditorWindow, kMsgNoEditorFile}));
}

TEST(BaseFolderTest, ReportsAreBracketed) {
  Scene scene("Untitled - Notepad");
  scene.desk.SetForeground(scene.editor);
  scene.desk.Window(scene.self.main).visible = false;  // palette hidden
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), u"");
  ASSERT_EQ(scene.desk.message_boxes, std::vector<std::string>{kMsgNoBaseFolderPath});
  // The foreground came back to the editor after the box.
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.editor);
}

// An editor that shows its full path only while active (Sakura Editor) is
// brought to the front when its title names no document, and read again once
// the title changes; an editor in front or a title that names the document
// costs no wait.
TEST(BaseFolderTest, EditorShowingItsPathOnlyWhileActive) {
  Scene scene;
  scene.files.files[u"C:\\web\\page.html"] = "";
  scene.desk.SetWideTitle(scene.editor, u"page.html(更新) - サクラエディタ(64bit) 2.4.2.0  ");
  scene.desk.SetForeground(scene.self.main);
  scene.desk.At(60, [&] {
    scene.desk.SetWideTitle(scene.editor, u"C:\\web\\page.html(更新) - サクラエディタ(64bit) 2.4.2.0  ");
  });
  const std::uint64_t start = scene.desk.NowMs();
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), u"C:\\web");
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.editor);
  EXPECT_LT(scene.desk.NowMs() - start, 100u);
  EXPECT_TRUE(scene.desk.message_boxes.empty());

  // In front already: read once.
  scene.desk.log.clear();
  EXPECT_EQ(GetEditorDocumentPath(scene.context, false), u"C:\\web\\page.html");
  EXPECT_EQ(std::count(scene.desk.log.begin(), scene.desk.log.end(), "top Notepad"), 0);

  // A title that never names the document: one bounded wait, then the report.
  scene.desk.SetWideTitle(scene.editor, u"page.html - Notepad");
  scene.desk.SetForeground(scene.self.main);
  const std::uint64_t again = scene.desk.NowMs();
  EXPECT_EQ(GetEditorDocumentPath(scene.context, false), u"");
  EXPECT_GE(scene.desk.NowMs() - again, kActiveTitleWaitMs);
  EXPECT_LT(scene.desk.NowMs() - again, kActiveTitleWaitMs + 2 * kActiveTitlePollMs);
  EXPECT_EQ(scene.desk.message_boxes, std::vector<std::string>{kMsgNoHtmlFilePath});
}

TEST(BaseFolderTest, MakeInsertPath) {
  Scene scene("C:\\web\\sub\\page.html - Notepad");
  scene.files.files[u"C:\\web\\sub\\page.html"] = "";
  const WideText file = u"C:\\web\\img\\a.gif";
  // Automatic: the document's folder.
  EXPECT_EQ(MakeInsertPath(scene.context, file), u"../img/a.gif");
  EXPECT_EQ(MakeInsertPath(scene.context, u"D:\\x\\a.gif"), u"D:/x/a.gif");
  // A base folder that exists.
  scene.settings.Public_Dir = "C:\\web";
  scene.files.folders.insert(u"C:\\web");
  EXPECT_EQ(MakeInsertPath(scene.context, file), u"img/a.gif");
  scene.settings.Public_Dir = "C:\\";
  scene.files.folders.insert(u"C:\\");
  EXPECT_EQ(MakeInsertPath(scene.context, file), u"web/img/a.gif");
  // A base folder that is gone: the file name, after a report.
  scene.settings.Public_Dir = "C:\\gone";
  EXPECT_EQ(MakeInsertPath(scene.context, file), u"a.gif");
  EXPECT_EQ(scene.desk.message_boxes, std::vector<std::string>{kMsgRelativePathFailed});
  // Relative input off: the file name whatever the base folder.
  scene.settings.SoutaiPathIns = false;
  EXPECT_EQ(MakeInsertPath(scene.context, file), u"a.gif");
  // A trail byte 0x5C in the base folder setting is no separator.
  scene.settings.SoutaiPathIns = true;
  scene.settings.Public_Dir = "C:\\\x95\x5c";  // 表
  scene.files.folders.insert(u"C:\\表");
  EXPECT_EQ(MakeInsertPath(scene.context, u"C:\\表\\ソ\\a.gif"), u"ソ/a.gif");
  // Automatic lookup failing: empty.
  scene.settings.Public_Dir.clear();
  scene.desk.Window(scene.editor).title = "Untitled";
  EXPECT_EQ(MakeInsertPath(scene.context, file), u"");
}

// Names code page 932 cannot hold, from the base folder or from the editor's
// title, reach the inserted path unchanged.
TEST(BaseFolderTest, MakeInsertPathOutsideCodePage932) {
  Scene scene;
  scene.desk.Window(scene.editor).wide_title = u"C:\\Café ☕\\sub\\page.html - Notepad";
  scene.files.files[u"C:\\Café ☕\\sub\\page.html"] = "";
  EXPECT_EQ(MakeInsertPath(scene.context, u"C:\\café ☕\\img\\😀 été.png"), u"../img/😀 été.png");
  EXPECT_EQ(MakeInsertPath(scene.context, u"C:\\Café ☕\\sub\\x.png"), u"x.png");
  EXPECT_EQ(GetEditorDocumentPath(scene.context, true), u"C:\\Café ☕\\sub");
  // A base folder in code page 932 with a file below it whose name is not.
  scene.settings.Public_Dir = "C:\\web";
  scene.files.folders.insert(u"C:\\web");
  EXPECT_EQ(MakeInsertPath(scene.context, u"C:\\WEB\\Ünïcode\\café☕.png"), u"Ünïcode/café☕.png");
  EXPECT_TRUE(scene.desk.message_boxes.empty());
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
  scene.host.folder_answer = u"D:\\site";
  SetBaseFolder(scene.context);
  EXPECT_EQ(scene.settings.Public_Dir, "D:\\site");
  EXPECT_EQ(scene.settings.FileNameInsDir, "D:\\site");
  EXPECT_EQ(scene.settings.HtmlOpenDir, "D:\\site");
  ASSERT_EQ(scene.host.folder_pickers.size(), 1u);
  EXPECT_EQ(scene.host.folder_pickers[0].caption, kFolderPickerCaption);
  EXPECT_EQ(scene.host.folder_pickers[0].selected, u"");
  EXPECT_EQ(scene.host.events, (std::vector<std::string>{"busy 4", "disable", "dialog", "enable", "idle 4"}));
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.self.main);

  // Cancelled: nothing changes; with the palette hidden the editor is next.
  scene.host.folder_answer.reset();
  scene.host.palette_showing = false;
  SetBaseFolder(scene.context);
  EXPECT_EQ(scene.settings.Public_Dir, "D:\\site");
  EXPECT_EQ(scene.host.folder_pickers[1].selected, u"D:\\site");
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

// The base folder is kept in the settings file: a folder whose name code
// page 932 cannot hold is refused with a report naming the characters, and
// the base folder stays as it was.
TEST(BaseFolderTest, FolderTheSettingsFileCannotHoldIsRefused) {
  Scene scene;
  scene.settings.Public_Dir = "D:\\site";
  const struct {
    const char16_t* folder;
    const char16_t* named;
  } kCases[] = {
      {u"D:\\Café ☕", u"é☕"},
      {u"D:\\☕\\☕x\\é", u"☕é"},
      {u"D:\\😀", u"😀"},
      {u"D:\\\u00a5", u"\u00a5"},  // a best-fit mapping to "\\" is no exact form either
  };
  for (const auto& c : kCases) {
    scene.host.folder_answer = WideText(c.folder);
    SetBaseFolder(scene.context);
    EXPECT_EQ(scene.settings.Public_Dir, "D:\\site") << Sjis(c.folder);
    ASSERT_FALSE(scene.desk.wide_message_boxes.empty());
    EXPECT_EQ(scene.desk.wide_message_boxes.back(),
              W(kBaseFolderNotStorableOpen) + c.named + W(kBaseFolderNotStorableClose) + u"\r\n\r\n" + c.folder);
  }
  EXPECT_EQ(scene.desk.wide_message_boxes.size(), std::size(kCases));
  EXPECT_TRUE(scene.host.displays.empty());
  // Japanese and other code page 932 names are taken as they are.
  scene.host.folder_answer = u"D:\\サイト\\表";
  SetBaseFolder(scene.context);
  EXPECT_EQ(scene.settings.Public_Dir, "D:\\\x83\x54\x83\x43\x83\x67\\\x95\x5c");
  EXPECT_EQ(scene.desk.wide_message_boxes.size(), std::size(kCases));
}

// The dialogs start where the user chose a file last. A folder the settings
// file cannot hold serves for the rest of the run; the settings field keeps
// the last one it could hold. Setting the base folder makes it the start of
// the file-name and open dialogs again.
TEST(BaseFolderTest, DialogFoldersOutsideCodePage932) {
  Scene scene;
  scene.settings.FileNameInsDir = "C:\\old";
  EXPECT_EQ(DialogStartFolder(scene.context, DialogFolder::kFileName), u"C:\\old");
  RememberDialogFolder(scene.context, DialogFolder::kFileName, u"C:\\pics\\été ☕\\a.png");
  EXPECT_EQ(DialogStartFolder(scene.context, DialogFolder::kFileName), u"C:\\pics\\été ☕");
  EXPECT_EQ(scene.settings.FileNameInsDir, "C:\\old");
  // Other dialogs keep their own.
  EXPECT_EQ(DialogStartFolder(scene.context, DialogFolder::kText), u"");
  RememberDialogFolder(scene.context, DialogFolder::kFileName, u"C:\\画像\\b.png");
  EXPECT_EQ(DialogStartFolder(scene.context, DialogFolder::kFileName), u"C:\\画像");
  EXPECT_EQ(scene.settings.FileNameInsDir, Sjis(u"C:\\画像"));
  RememberDialogFolder(scene.context, DialogFolder::kHtmlOpen, u"C:\\😀\\x.html");
  scene.host.folder_answer = u"D:\\site";
  SetBaseFolder(scene.context);
  EXPECT_EQ(DialogStartFolder(scene.context, DialogFolder::kHtmlOpen), u"D:\\site");
  EXPECT_EQ(DialogStartFolder(scene.context, DialogFolder::kFileName), u"D:\\site");
  // A root keeps its separator.
  RememberDialogFolder(scene.context, DialogFolder::kUrl, u"C:\\x.url");
  EXPECT_EQ(scene.settings.UrlInsDir, "C:\\");
}

TEST(BaseFolderTest, FailingDialogLeavesThePaletteUsable) {
  Scene scene;
  scene.host.folder_picker_throws = true;
  EXPECT_THROW(SetBaseFolder(scene.context), std::runtime_error);
  EXPECT_EQ(scene.host.events, (std::vector<std::string>{"busy 4", "disable", "dialog", "enable", "idle 4"}));
}

TEST(BaseFolderTest, OpenBaseFolderStyles) {
  EXPECT_EQ(BaseFolderOpenRequest(u"C:\\web", 0), (ShellOpenRequest{u"C:\\web", u""}));
  EXPECT_EQ(BaseFolderOpenRequest(u"C:\\web", 1), (ShellOpenRequest{u"explorer.exe", u"/e,\"C:\\web\""}));
  EXPECT_FALSE(BaseFolderOpenRequest(u"C:\\web", 2));

  Scene scene;
  scene.settings.Public_Dir = "C:\\web";
  scene.settings.KihonDirOpenStyle = 1;
  OpenBaseFolder(scene.context);
  EXPECT_EQ(scene.host.shell_requests.back().file, u"explorer.exe");
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
