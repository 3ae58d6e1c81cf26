#include "texttools/InputCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/unit/support/ScratchFolder.h"
#include "tests/unit/support/TextToolsFakes.h"
#include "texttools/Messages.h"

namespace tagsling::texttools {
namespace {

using testing::Scene;

TEST(InputCommandsTest, FormTableForPictures) {
  struct Row {
    bool ctrl, shift;
    FileInsertForm without_image_size, with_image_size;
  };
  const Row kTable[] = {
      {false, false, FileInsertForm::kPath, FileInsertForm::kSizeAttributes},
      {true, false, FileInsertForm::kSizeAttributes, FileInsertForm::kPath},
      {false, true, FileInsertForm::kLink, FileInsertForm::kImgTag},
      {true, true, FileInsertForm::kImgTag, FileInsertForm::kLink},
  };
  for (const Row& row : kTable) {
    EXPECT_EQ(ChooseFileInsertForm(true, false, row.ctrl, row.shift), row.without_image_size);
    EXPECT_EQ(ChooseFileInsertForm(true, true, row.ctrl, row.shift), row.with_image_size);
    // Other files: only Shift matters.
    for (bool image_size : {false, true}) {
      EXPECT_EQ(ChooseFileInsertForm(false, image_size, row.ctrl, row.shift),
                row.shift ? FileInsertForm::kLink : FileInsertForm::kPath);
    }
  }
}

TEST(InputCommandsTest, FormattedTexts) {
  const TagVocabulary& upper = VocabularyFor(false);
  const TagVocabulary& lower = VocabularyFor(true);
  PictureSize size{100, 50};
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kLink, upper, "img/a.gif", "a.gif", size),
            "<A HREF=\"img/a.gif\">a.gif</A>");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kSizeAttributes, upper, "img/a.gif", "a.gif", size),
            "SRC=\"img/a.gif\" WIDTH=\"100\" HEIGHT=\"50\"");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kImgTag, upper, "img/a.gif", "a.gif", size),
            "<IMG SRC=\"img/a.gif\" WIDTH=\"100\" HEIGHT=\"50\" ALT=\"a.gif\">");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kImgTag, lower, "img/photo.JPG", "photo.JPG", size),
            "<img src=\"img/photo.JPG\" width=\"100\" height=\"50\" alt=\"photo.JPG\">");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kLink, lower, "r.txt", "r.txt"), "<a href=\"r.txt\">r.txt</a>");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kPath, lower, "r.txt", "r.txt"), "r.txt");
}

// A JFIF JPEG of 100 x 50.
std::string Jpeg100x50() {
  return std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 20) +
         std::string("\xFF\xC0\x00\x0B\x08\x00\x32\x00\x64\x01\x01\x11\x00", 13);
}

TEST(InputCommandsTest, BuildFileInsertText) {
  Scene scene;
  scene.settings.Public_Dir = "C:\\web";
  scene.files.folders.insert("C:\\web");
  scene.files.files["C:\\web\\img\\photo.JPG"] = Jpeg100x50();
  scene.files.files["C:\\web\\img\\bad.png"] = "not a png";
  scene.files.files["C:\\web\\readme.txt"] = "";
  scene.settings.ImageSize = false;
  EXPECT_EQ(BuildFileInsertText(scene.context, "C:\\web\\img\\photo.JPG", true, true),
            "<IMG SRC=\"img/photo.JPG\" WIDTH=\"100\" HEIGHT=\"50\" ALT=\"photo.JPG\">");
  EXPECT_EQ(BuildFileInsertText(scene.context, "C:\\web\\img\\photo.JPG", false, false), "img/photo.JPG");
  EXPECT_EQ(BuildFileInsertText(scene.context, "C:\\web\\readme.txt", true, true),
            "<A HREF=\"readme.txt\">readme.txt</A>");
  scene.settings.ImageSize = true;
  scene.settings.InsTextLower = true;
  EXPECT_EQ(BuildFileInsertText(scene.context, "C:\\web\\img\\photo.JPG", false, false),
            "src=\"img/photo.JPG\" width=\"100\" height=\"50\"");
  // An unreadable header or a file that cannot be opened: a report, nothing.
  EXPECT_EQ(BuildFileInsertText(scene.context, "C:\\web\\img\\bad.png", false, false), "");
  EXPECT_EQ(BuildFileInsertText(scene.context, "C:\\web\\img\\gone.gif", false, false), "");
  EXPECT_EQ(scene.desk.message_boxes,
            (std::vector<std::string>{kMsgPictureSizeUnreadable, "cannot open C:\\web\\img\\gone.gif"}));
  // A failed automatic lookup inserts nothing at all.
  scene.settings.Public_Dir.clear();
  EXPECT_EQ(BuildFileInsertText(scene.context, "C:\\web\\img\\photo.JPG", false, true), "");
}

TEST(InputCommandsTest, InsertFileNamePastesIntoTheCapturedFocus) {
  Scene scene;
  scene.settings.Public_Dir = "C:\\web";
  scene.settings.ImageSize = false;
  scene.files.folders.insert("C:\\web");
  scene.files.files["C:\\web\\img\\photo.JPG"] = Jpeg100x50();
  scene.host.open_dialog_answer = "C:\\web\\img\\photo.JPG";
  scene.host.keys_at_ok = {platform::vk::kControl, platform::vk::kShift};
  InsertFileName(scene.context);

  ASSERT_EQ(scene.host.open_dialogs.size(), 1u);
  const FileDialogSpec& dialog = scene.host.open_dialogs[0];
  EXPECT_EQ(dialog.title, kFileDialogTitleNoImageSize);
  ASSERT_EQ(dialog.filters.size(), 7u);
  EXPECT_EQ(dialog.filters[3], (FileFilter{kFilterImageFiles, "*.gif;*.jpg;*.jpeg;*.png"}));
  EXPECT_FALSE(dialog.follow_shortcuts);
  EXPECT_EQ(scene.settings.FileNameInsDir, "C:\\web\\img");
  ASSERT_EQ(scene.pastes.size(), 1u);
  EXPECT_EQ(scene.pastes[0].first, scene.editor_control);
  EXPECT_EQ(scene.pastes[0].second, "<IMG SRC=\"img/photo.JPG\" WIDTH=\"100\" HEIGHT=\"50\" ALT=\"photo.JPG\">");
  EXPECT_EQ(scene.host.events, (std::vector<std::string>{"busy 0", "disable", "dialog", "enable", "idle 0"}));
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.editor);
}

TEST(InputCommandsTest, InsertFileNameStopsOrPastesNothing) {
  // No base folder and no document: stops before the dialog.
  Scene lost("Untitled - Notepad");
  InsertFileName(lost.context);
  EXPECT_TRUE(lost.host.open_dialogs.empty());
  EXPECT_TRUE(lost.host.events.empty());

  // Cancelled: nothing pasted, the editor still gets the focus back.
  Scene cancelled;
  cancelled.settings.SoutaiPathIns = false;
  cancelled.desk.SetForeground(cancelled.self.main);
  InsertFileName(cancelled.context);
  EXPECT_TRUE(cancelled.pastes.empty());
  EXPECT_EQ(cancelled.desk.ForegroundWindow(), cancelled.editor);
  EXPECT_EQ(cancelled.host.events.back(), "idle 0");
}

TEST(InputCommandsTest, UrlText) {
  EXPECT_EQ(UrlInsertText("http://x/", "C:\\l\\Search.url", false, false), "http://x/");
  EXPECT_EQ(UrlInsertText("http://x/", "C:\\l\\Search.url", true, false), "<A HREF=\"http://x/\">Search</A>");
  EXPECT_EQ(UrlInsertText("http://x/", "C:\\l\\a.url.url", true, true), "<a href=\"http://x/\">a</a>");
  EXPECT_EQ(UrlInsertText("", "C:\\l\\a.url", true, false), "<A HREF=\"\">a</A>");

  test::ScratchFolder folder;
  test::CurrentFolderScope inside(folder.Folder());  // the program's paths use "\", so stay in the folder
  std::ofstream("Search.url", std::ios::binary) << "[InternetShortcut]\r\nURL=http://example.com/\r\n";
  std::ofstream("empty.url", std::ios::binary) << "[Other]\r\nURL=x\r\n";

  Scene scene;
  scene.settings.UrlInsDir = "C:\\old";
  scene.host.open_dialog_answer = "Search.url";
  scene.host.keys_at_ok = {platform::vk::kShift};
  InsertUrl(scene.context);
  EXPECT_EQ(scene.settings.UrlInsDir, "");
  ASSERT_EQ(scene.pastes.size(), 1u);
  EXPECT_EQ(scene.pastes[0].second, "<A HREF=\"http://example.com/\">Search</A>");
  EXPECT_EQ(scene.host.open_dialogs[0].filters, (std::vector<FileFilter>{{kFilterInternetShortcut, "*.url"}}));

  // A shortcut without a URL still pastes (the empty text).
  Scene without;
  without.host.open_dialog_answer = "empty.url";
  InsertUrl(without.context);
  ASSERT_EQ(without.pastes.size(), 1u);
  EXPECT_EQ(without.pastes[0].second, "");
}

TEST(InputCommandsTest, TextFileLimitAndCut) {
  testing::FakeFileSystem files;
  files.files["exact"] = std::string(kTextFileLimit, 'a');
  files.files["over"] = std::string(kTextFileLimit + 1, 'a');
  files.files["eof"] = std::string(
      "ab\r\ncd\x1A"
      "ef",
      9);
  files.files["locked"] = "x";
  files.unreadable.insert("locked");
  EXPECT_EQ(ReadInsertTextFile(files, "exact").text->size(), kTextFileLimit);
  EXPECT_EQ(ReadInsertTextFile(files, "over").message, kMsgTextFileTooLarge);
  EXPECT_EQ(ReadInsertTextFile(files, "eof").text, "ab\r\ncd");
  EXPECT_EQ(ReadInsertTextFile(files, "missing").message, kMsgTextFileMissing);
  EXPECT_EQ(ReadInsertTextFile(files, "locked").message, "cannot open locked");
  EXPECT_EQ(InsertableText(std::string("a\0b", 3)), "a");

  Scene scene;
  scene.files = files;
  scene.host.open_dialog_answer = "over";
  scene.desk.Window(scene.self.main).visible = false;
  InsertTextFile(scene.context);
  EXPECT_TRUE(scene.pastes.empty());
  EXPECT_EQ(scene.desk.message_boxes, std::vector<std::string>{kMsgTextFileTooLarge});
  EXPECT_EQ(scene.host.events.back(), "idle 2");
  scene.host.open_dialog_answer = "eof";
  InsertTextFile(scene.context);
  ASSERT_EQ(scene.pastes.size(), 1u);
  EXPECT_EQ(scene.pastes[0].second, "ab\r\ncd");
}

TEST(InputCommandsTest, ColourIsRedGreenBlue) {
  EXPECT_EQ(ColorText({255, 0, 0}, false), "#FF0000");
  EXPECT_EQ(ColorText({255, 128, 0}, false), "#FF8000");
  EXPECT_EQ(ColorText({255, 128, 0}, true), "#ff8000");
  EXPECT_EQ(ColorText({1, 2, 171}, false), "#0102AB");

  Scene scene;
  scene.host.colour_answer = Rgb{0, 0x80, 0xFF};
  InsertColour(scene.context);
  ASSERT_EQ(scene.pastes.size(), 1u);
  EXPECT_EQ(scene.pastes[0].second, "#0080FF");
  EXPECT_EQ(scene.host.events.front(), "busy 3");
}

TEST(InputCommandsTest, DialogStartKeys) {
  platform::sim::SimDesktop desk;
  SendDialogStartKeys(desk);
  ASSERT_EQ(desk.sent_keys.size(), 4u);
  EXPECT_EQ(desk.sent_keys[0].vk, platform::vk::kShift);
  EXPECT_FALSE(desk.sent_keys[0].up);
  EXPECT_EQ(desk.sent_keys[1].vk, 0x09);
  EXPECT_EQ(desk.sent_keys[3].vk, platform::vk::kShift);
  EXPECT_TRUE(desk.sent_keys[3].up);
  EXPECT_EQ(desk.sent_keys[0].scan, desk.ScanCodeOf(platform::vk::kShift));

  desk.sent_keys.clear();
  desk.PressKey(platform::vk::kAlt);
  SendDialogStartKeys(desk);
  ASSERT_EQ(desk.sent_keys.size(), 5u);
  EXPECT_EQ(desk.sent_keys[0], (platform::KeyEvent{platform::vk::kAlt, desk.ScanCodeOf(platform::vk::kAlt), true}));
}

}  // namespace
}  // namespace tagsling::texttools
