#include "preview/LivePreviewCommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "preview/LivePreviewMessages.h"
#include "tests/unit/support/TextToolsFakes.h"

namespace tagsling::preview {
namespace {

using platform::WideText;

class FakeControl : public LivePreviewControl {
 public:
  std::optional<WideText> serving;
  std::vector<std::string> calls;

  std::optional<WideText> ServedFolder() override { return serving; }
  void Serve(const WideText& folder, const std::string& url_path) override {
    calls.push_back("serve " + texttools::testing::Sjis(folder) + " " + url_path);
  }
  void OpenPage(const std::string& url_path) override { calls.push_back("open " + url_path); }
  void Stop() override { calls.push_back("stop"); }
};

struct LiveScene : texttools::testing::Scene {
  FakeControl control;
  LiveScene() : Scene("C:\\web\\sub\\page.html - Notepad") {
    files.files[u"C:\\web\\sub\\page.html"] = "";
    files.folders.insert(u"C:\\web\\sub");
    files.folders.insert(u"C:\\web");
  }
};

TEST(LivePreviewCommand, ServesTheDocumentsFolderOrTheBaseFolder) {
  LiveScene scene;
  LivePreviewCommand(scene.context, scene.control);
  // With a base folder the title's file name is looked up there.
  scene.settings.Public_Dir = "C:\\web\\";
  scene.files.files[u"C:\\web\\page.html"] = "";
  LivePreviewCommand(scene.context, scene.control);
  EXPECT_EQ(scene.control.calls,
            (std::vector<std::string>{"serve C:\\web\\sub /page.html", "serve C:\\web /page.html"}));
  EXPECT_TRUE(scene.desk.message_boxes.empty());
}

TEST(LivePreviewCommand, ARunningServerOfTheFolderOnlyOpensThePage) {
  LiveScene scene;
  scene.control.serving = u"C:\\web";
  LivePreviewCommand(scene.context, scene.control);
  EXPECT_EQ(scene.control.calls, std::vector<std::string>{"open /sub/page.html"});
}

TEST(LivePreviewCommand, ReportsADocumentAtADriveRootAndTouchesNothing) {
  LiveScene scene;
  scene.files.files[u"C:\\page.html"] = "";
  scene.desk.Window(scene.editor).title = "C:\\page.html - Notepad";
  LivePreviewCommand(scene.context, scene.control);
  EXPECT_TRUE(scene.control.calls.empty());
  ASSERT_EQ(scene.desk.message_boxes.size(), 1u);
  EXPECT_EQ(scene.desk.message_boxes[0], text::kDriveRoot);
}

TEST(LivePreviewCommand, WithoutADocumentOnlyTheLookupReports) {
  LiveScene scene;
  scene.desk.Window(scene.editor).title = "無題 - メモ帳";
  LivePreviewCommand(scene.context, scene.control);
  EXPECT_TRUE(scene.control.calls.empty());
  EXPECT_EQ(scene.desk.message_boxes.size(), 1u);
}

TEST(StopLivePreviewCommand, StopsTheServer) {
  FakeControl control;
  StopLivePreviewCommand(control);
  EXPECT_EQ(control.calls, std::vector<std::string>{"stop"});
}

}  // namespace
}  // namespace tagsling::preview
