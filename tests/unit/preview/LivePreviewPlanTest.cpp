#include "preview/LivePreviewPlan.h"

#include <gtest/gtest.h>

#include "preview/LivePreviewMessages.h"

namespace tagsling::preview {
namespace {

using Action = LivePreviewPlan::Action;

struct PlanCase {
  const char* name;
  const char16_t* document;
  const char16_t* base;
  std::optional<WideText> serving;
  Action action;
  const char16_t* folder;
  const char* url_path;
  const char* message;
};

const PlanCase kCases[] = {
    {"the document's folder", u"C:\\site\\index.html", u"", std::nullopt, Action::kServe, u"C:\\site", "/index.html",
     ""},
    {"the base folder", u"C:\\site\\sub\\a b.html", u"C:\\site\\", std::nullopt, Action::kServe, u"C:\\site",
     "/sub/a%20b.html", ""},
    {"base folder in another case", u"c:\\SITE\\p.html", u"C:\\site", std::nullopt, Action::kServe, u"C:\\site",
     "/p.html", ""},
    {"outside the base folder", u"C:\\other\\p.html", u"C:\\site", std::nullopt, Action::kReport, u"", "",
     text::kOutsideBaseFolder},
    {"a sibling sharing the prefix", u"C:\\site2\\p.html", u"C:\\site", std::nullopt, Action::kReport, u"", "",
     text::kOutsideBaseFolder},
    {"a drive root", u"C:\\p.html", u"", std::nullopt, Action::kReport, u"", "", text::kDriveRoot},
    {"a share root", u"\\\\server\\share\\p.html", u"", std::nullopt, Action::kReport, u"", "", text::kDriveRoot},
    {"a folder on a share", u"\\\\server\\share\\site\\p.html", u"", std::nullopt, Action::kServe,
     u"\\\\server\\share\\site", "/p.html", ""},
    {"already served", u"C:\\site\\sub\\p.html", u"", WideText(u"C:\\site"), Action::kOpen, u"", "/sub/p.html", ""},
    {"served elsewhere: move", u"D:\\web\\p.html", u"", WideText(u"C:\\site"), Action::kServe, u"D:\\web", "/p.html",
     ""},
    {"names outside ASCII", u"C:\\site\\caf\u00e9\u2615.html", u"", std::nullopt, Action::kServe, u"C:\\site",
     "/caf%C3%A9%E2%98%95.html", ""},
    {"a pair of surrogates", u"C:\\site\\\U0001F600.html", u"", std::nullopt, Action::kServe, u"C:\\site",
     "/%F0%9F%98%80.html", ""},
    {"reserved characters", u"C:\\site\\a#b%c?&.html", u"", std::nullopt, Action::kServe, u"C:\\site",
     "/a%23b%25c%3F%26.html", ""},
};

TEST(PlanLivePreview, FollowsTheTable) {
  for (const PlanCase& c : kCases) {
    const LivePreviewPlan plan = PlanLivePreview(c.document, c.base, c.serving);
    EXPECT_EQ(plan.action, c.action) << c.name;
    EXPECT_EQ(plan.folder, c.folder) << c.name;
    EXPECT_EQ(plan.url_path, c.url_path) << c.name;
    EXPECT_EQ(plan.message, c.message) << c.name;
  }
}

TEST(BrowserStart, OpensTheAddressThroughTheShellOrTheChosenBrowser) {
  const external::ShellStart shell = BrowserStart(u"", PageAddress(8930, "/a.html"));
  EXPECT_EQ(shell.file, u"http://127.0.0.1:8930/a.html");
  EXPECT_EQ(shell.parameters, u"");
  const external::ShellStart chosen = BrowserStart(u" C:\\b\\browser.exe ", PageAddress(9000, "/"));
  EXPECT_EQ(chosen.file, u"C:\\b\\browser.exe");
  EXPECT_EQ(chosen.parameters, u"\"http://127.0.0.1:9000/\"");
}

}  // namespace
}  // namespace tagsling::preview
