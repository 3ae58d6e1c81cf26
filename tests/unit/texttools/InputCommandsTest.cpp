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
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kLink, upper, u"img/a.gif", u"a.gif", size),
            u"<A HREF=\"img/a.gif\">a.gif</A>");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kSizeAttributes, upper, u"img/a.gif", u"a.gif", size),
            u"SRC=\"img/a.gif\" WIDTH=\"100\" HEIGHT=\"50\"");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kImgTag, upper, u"img/a.gif", u"a.gif", size),
            u"<IMG SRC=\"img/a.gif\" WIDTH=\"100\" HEIGHT=\"50\" ALT=\"a.gif\">");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kImgTag, lower, u"img/photo.JPG", u"photo.JPG", size),
            u"<img src=\"img/photo.JPG\" width=\"100\" height=\"50\" alt=\"photo.JPG\">");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kLink, lower, u"r.txt", u"r.txt"), u"<a href=\"r.txt\">r.txt</a>");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kPath, lower, u"r.txt", u"r.txt"), u"r.txt");
  EXPECT_EQ(FormatFileInsertText(FileInsertForm::kImgTag, upper, u"☕/café😀.png", u"café😀.png", {4294967295u, 1}),
            u"<IMG SRC=\"☕/café😀.png\" WIDTH=\"4294967295\" HEIGHT=\"1\" ALT=\"café😀.png\">");
}

// A JFIF JPEG of 100 x 50.
std::string Jpeg100x50() {
  return std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 20) +
         std::string("\xFF\xC0\x00\x0B\x08\x00\x32\x00\x64\x01\x01\x11\x00", 13);
}

// A PNG header of 120 x 45.
std::string Png120x45() { return std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x78\0\0\0\x2d", 24); }

TEST(InputCommandsTest, BuildFileInsertText) {
  Scene scene;
  scene.settings.Public_Dir = "C:\\web";
  scene.files.folders.insert(u"C:\\web");
  scene.files.files[u"C:\\web\\img\\photo.JPG"] = Jpeg100x50();
  scene.files.files[u"C:\\web\\img\\bad.png"] = "not a png";
  scene.files.files[u"C:\\web\\readme.txt"] = "";
  scene.settings.ImageSize = false;
  EXPECT_EQ(BuildFileInsertText(scene.context, u"C:\\web\\img\\photo.JPG", true, true),
            u"<IMG SRC=\"img/photo.JPG\" WIDTH=\"100\" HEIGHT=\"50\" ALT=\"photo.JPG\">");
  EXPECT_EQ(BuildFileInsertText(scene.context, u"C:\\web\\img\\photo.JPG", false, false), u"img/photo.JPG");
  EXPECT_EQ(BuildFileInsertText(scene.context, u"C:\\web\\readme.txt", true, true),
            u"<A HREF=\"readme.txt\">readme.txt</A>");
  scene.settings.ImageSize = true;
  scene.settings.InsTextLower = true;
  EXPECT_EQ(BuildFileInsertText(scene.context, u"C:\\web\\img\\photo.JPG", false, false),
            u"src=\"img/photo.JPG\" width=\"100\" height=\"50\"");
  // An unreadable header or a file that cannot be opened: a report, nothing.
  EXPECT_EQ(BuildFileInsertText(scene.context, u"C:\\web\\img\\bad.png", false, false), u"");
  EXPECT_EQ(BuildFileInsertText(scene.context, u"C:\\web\\img\\gone.gif", false, false), u"");
  EXPECT_EQ(scene.desk.message_boxes,
            (std::vector<std::string>{kMsgPictureSizeUnreadable, "cannot open C:\\web\\img\\gone.gif"}));
  // A failed automatic lookup inserts nothing at all.
  scene.settings.Public_Dir.clear();
  EXPECT_EQ(BuildFileInsertText(scene.context, u"C:\\web\\img\\photo.JPG", false, true), u"");
}

// Names code page 932 cannot hold reach the size reader and the inserted
// text unchanged, in every form; a look-alike of the name ("?" or the
// letter without its accent) is never read instead.
TEST(InputCommandsTest, BuildFileInsertTextOutsideCodePage932) {
  Scene scene;
  scene.settings.Public_Dir = "C:\\web";
  scene.settings.ImageSize = false;
  scene.files.folders.insert(u"C:\\web");
  scene.files.files[u"C:\\web\\été\\café☕.png"] = Png120x45();
  scene.files.files[u"C:\\web\\été\\cafe?.png"] = Jpeg100x50();
  scene.files.files[u"C:\\web\\été\\cafe.png"] = Jpeg100x50();
  scene.files.files[u"C:\\web\\😀.txt"] = "";
  const struct {
    const char16_t* file;
    bool ctrl, shift;
    const char16_t* expected;
  } kCases[] = {
      {u"C:\\web\\été\\café☕.png", true, true,
       u"<IMG SRC=\"été/café☕.png\" WIDTH=\"120\" HEIGHT=\"45\" ALT=\"café☕.png\">"},
      {u"C:\\web\\été\\café☕.png", true, false, u"SRC=\"été/café☕.png\" WIDTH=\"120\" HEIGHT=\"45\""},
      {u"C:\\web\\été\\café☕.png", false, true, u"<A HREF=\"été/café☕.png\">café☕.png</A>"},
      {u"C:\\web\\été\\café☕.png", false, false, u"été/café☕.png"},
      {u"C:\\web\\😀.txt", true, true, u"<A HREF=\"😀.txt\">😀.txt</A>"},
      {u"D:\\Ünï\\café☕.png", false, false, u"D:/Ünï/café☕.png"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(BuildFileInsertText(scene.context, c.file, c.ctrl, c.shift), c.expected) << testing::Sjis(c.file);
  }
  EXPECT_TRUE(scene.desk.message_boxes.empty());
}

TEST(InputCommandsTest, InsertFileNamePastesIntoTheCapturedFocus) {
  Scene scene;
  scene.settings.Public_Dir = "C:\\web";
  scene.settings.FileNameInsDir = "C:\\start";
  scene.settings.ImageSize = false;
  scene.files.folders.insert(u"C:\\web");
  scene.files.files[u"C:\\web\\img\\photo.JPG"] = Jpeg100x50();
  scene.host.open_dialog_answer = u"C:\\web\\img\\photo.JPG";
  scene.host.keys_at_ok = {platform::vk::kControl, platform::vk::kShift};
  InsertFileName(scene.context);

  ASSERT_EQ(scene.host.open_dialogs.size(), 1u);
  const FileDialogSpec& dialog = scene.host.open_dialogs[0];
  EXPECT_EQ(dialog.title, kFileDialogTitleNoImageSize);
  ASSERT_EQ(dialog.filters.size(), 7u);
  EXPECT_EQ(dialog.filters[3], (FileFilter{kFilterImageFiles, "*.gif;*.jpg;*.jpeg;*.png"}));
  EXPECT_FALSE(dialog.follow_shortcuts);
  EXPECT_EQ(dialog.initial_folder, u"C:\\start");
  EXPECT_EQ(scene.settings.FileNameInsDir, "C:\\web\\img");
  ASSERT_EQ(scene.pastes.size(), 1u);
  EXPECT_EQ(scene.pastes[0].first, scene.editor_control);
  EXPECT_EQ(scene.pastes[0].second, u"<IMG SRC=\"img/photo.JPG\" WIDTH=\"100\" HEIGHT=\"50\" ALT=\"photo.JPG\">");
  EXPECT_EQ(scene.host.events, (std::vector<std::string>{"busy 0", "disable", "dialog", "enable", "idle 0"}));
  EXPECT_EQ(scene.desk.ForegroundWindow(), scene.editor);

  // A picture in a folder the settings file cannot hold: pasted as it is;
  // the next dialog starts there, the settings keep the last folder they
  // could hold.
  scene.files.files[u"C:\\web\\☕\\café☕.png"] = Png120x45();
  scene.host.open_dialog_answer = u"C:\\web\\☕\\café☕.png";
  InsertFileName(scene.context);
  ASSERT_EQ(scene.pastes.size(), 2u);
  EXPECT_EQ(scene.pastes[1].second, u"<IMG SRC=\"☕/café☕.png\" WIDTH=\"120\" HEIGHT=\"45\" ALT=\"café☕.png\">");
  EXPECT_EQ(scene.settings.FileNameInsDir, "C:\\web\\img");
  InsertFileName(scene.context);
  EXPECT_EQ(scene.host.open_dialogs[2].initial_folder, u"C:\\web\\☕");
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
  EXPECT_EQ(UrlInsertText(u"http://x/", u"C:\\l\\Search.url", false, false), u"http://x/");
  EXPECT_EQ(UrlInsertText(u"http://x/", u"C:\\l\\Search.url", true, false), u"<A HREF=\"http://x/\">Search</A>");
  EXPECT_EQ(UrlInsertText(u"http://x/", u"C:\\l\\a.url.url", true, true), u"<a href=\"http://x/\">a</a>");
  EXPECT_EQ(UrlInsertText(u"", u"C:\\l\\a.url", true, false), u"<A HREF=\"\">a</A>");
  EXPECT_EQ(UrlInsertText(u"http://x/", u"C:\\☕\\Café ☕.url", true, false), u"<A HREF=\"http://x/\">Café ☕</A>");

  Scene scene;
  scene.files.files[u"C:\\l\\Search.url"] = "[InternetShortcut]\r\nURL=http://example.com/\r\n";
  scene.files.files[u"C:\\l\\empty.url"] = "[Other]\r\nURL=x\r\n";
  scene.files.files[u"C:\\☕\\Café ☕.url"] = "[InternetShortcut]\r\nURL=http://example.com/\x95\x5c\r\n";
  scene.settings.UrlInsDir = "C:\\old";
  scene.host.open_dialog_answer = u"C:\\l\\Search.url";
  scene.host.keys_at_ok = {platform::vk::kShift};
  InsertUrl(scene.context);
  EXPECT_EQ(scene.host.open_dialogs[0].initial_folder, u"C:\\old");
  EXPECT_EQ(scene.settings.UrlInsDir, "C:\\l");
  ASSERT_EQ(scene.pastes.size(), 1u);
  EXPECT_EQ(scene.pastes[0].second, u"<A HREF=\"http://example.com/\">Search</A>");
  EXPECT_EQ(scene.host.open_dialogs[0].filters, (std::vector<FileFilter>{{kFilterInternetShortcut, "*.url"}}));

  // A shortcut named outside code page 932; its URL is code page 932 text.
  scene.host.open_dialog_answer = u"C:\\☕\\Café ☕.url";
  InsertUrl(scene.context);
  ASSERT_EQ(scene.pastes.size(), 2u);
  EXPECT_EQ(scene.pastes[1].second, u"<A HREF=\"http://example.com/表\">Café ☕</A>");
  EXPECT_EQ(scene.settings.UrlInsDir, "C:\\l");

  // A shortcut without a URL, or one that cannot be read, still pastes
  // (the empty text).
  for (const char16_t* file : {u"C:\\l\\empty.url", u"C:\\l\\gone.url"}) {
    Scene without;
    without.files = scene.files;
    without.host.open_dialog_answer = file;
    InsertUrl(without.context);
    ASSERT_EQ(without.pastes.size(), 1u);
    EXPECT_EQ(without.pastes[0].second, u"");
  }
  EXPECT_EQ(ReadShortcutUrl(scene.files, u"C:\\l\\Search.url"), "http://example.com/");
}

TEST(InputCommandsTest, TextFileLimitAndCut) {
  testing::FakeFileSystem files;
  files.files[u"exact"] = std::string(kTextFileLimit, 'a');
  files.files[u"over"] = std::string(kTextFileLimit + 1, 'a');
  files.files[u"eof"] = std::string(
      "ab\r\ncd\x1A"
      "ef",
      9);
  files.files[u"locked"] = "x";
  files.unreadable.insert(u"locked");
  EXPECT_EQ(ReadInsertTextFile(files, u"exact").text->size(), kTextFileLimit);
  EXPECT_EQ(ReadInsertTextFile(files, u"over").message, kMsgTextFileTooLarge);
  EXPECT_EQ(ReadInsertTextFile(files, u"eof").text, "ab\r\ncd");
  EXPECT_EQ(ReadInsertTextFile(files, u"missing").message, kMsgTextFileMissing);
  EXPECT_EQ(ReadInsertTextFile(files, u"locked").message, "cannot open locked");
  EXPECT_EQ(InsertableText(std::string("a\0b", 3)), "a");

  Scene scene;
  scene.files = files;
  scene.host.open_dialog_answer = u"over";
  scene.desk.Window(scene.self.main).visible = false;
  InsertTextFile(scene.context);
  EXPECT_TRUE(scene.pastes.empty());
  EXPECT_EQ(scene.desk.message_boxes, std::vector<std::string>{kMsgTextFileTooLarge});
  EXPECT_EQ(scene.host.events.back(), "idle 2");
  scene.host.open_dialog_answer = u"eof";
  InsertTextFile(scene.context);
  ASSERT_EQ(scene.pastes.size(), 1u);
  EXPECT_EQ(scene.pastes[0].second, u"ab\r\ncd");
}

// The text-file reader opens files by their UTF-16 names on the real file
// system; the text itself is code page 932 and pasted as such.
TEST(InputCommandsTest, TextFilesNamedOutsideCodePage932) {
  test::ScratchFolder folder;
  const std::u16string named = folder.WidePath(u"été ☕😀.txt");
  std::ofstream(std::filesystem::path(named), std::ios::binary) << "<p>\x88\xea</p>\x1a"
                                                                   "tail";  // 一
  std::ofstream(std::filesystem::path(folder.WidePath(u"big☕.txt")), std::ios::binary)
      << std::string(kTextFileLimit + 1, 'a');
  NativeFileSystem files;
  EXPECT_EQ(ReadInsertTextFile(files, named).text, "<p>\x88\xea</p>");
  EXPECT_EQ(ReadInsertTextFile(files, folder.WidePath(u"big☕.txt")).message, kMsgTextFileTooLarge);
  EXPECT_EQ(ReadInsertTextFile(files, folder.WidePath(u"ete ?.txt")).message, kMsgTextFileMissing);
  EXPECT_EQ(ReadInsertTextFile(files, folder.WidePath(u"")).message, kMsgTextFileMissing);  // a folder

  Scene scene;
  TextToolsContext on_disk{scene.desk.platform(),
                           scene.settings,
                           files,
                           scene.probe,
                           scene.self,
                           scene.through,
                           "WinNT",
                           scene.dialog_host,
                           &scene.host,
                           scene.context.paste,
                           {}};
  scene.host.open_dialog_answer = named;
  InsertTextFile(on_disk);
  ASSERT_EQ(scene.pastes.size(), 1u);
  EXPECT_EQ(scene.pastes[0].second, u"<p>一</p>");
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
  EXPECT_EQ(scene.pastes[0].second, u"#0080FF");
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
