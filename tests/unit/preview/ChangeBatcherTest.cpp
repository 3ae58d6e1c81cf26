#include "preview/ChangeBatcher.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tagsling::preview {
namespace {

using std::chrono::milliseconds;
using A = ChangeAction;

struct Notice {
  int at_ms;
  const char16_t* path;
  ChangeAction action;
};

// Feeds the notices on a simulated clock, then polls every millisecond up
// to `until_ms`; the events given and when.
std::vector<std::pair<int, BrowserEvent>> Simulate(const std::vector<Notice>& notices, int until_ms) {
  const Clock::time_point zero{};
  ChangeBatcher batcher;
  std::vector<std::pair<int, BrowserEvent>> events;
  std::size_t next = 0;
  for (int ms = 0; ms <= until_ms; ++ms) {
    while (next < notices.size() && notices[next].at_ms == ms) {
      batcher.Add(notices[next].path, notices[next].action, zero + milliseconds(ms));
      ++next;
    }
    if (std::optional<BrowserEvent> event = batcher.TakeDue(zero + milliseconds(ms))) events.emplace_back(ms, *event);
  }
  return events;
}

using Events = std::vector<std::pair<int, BrowserEvent>>;
constexpr BrowserEvent kReload = BrowserEvent::kReload;
constexpr BrowserEvent kCss = BrowserEvent::kCss;

TEST(ChangeBatcher, OneSaveGivesOneEventAfterTheQuietTime) {
  // Notepad writes the file in place: two notices.
  EXPECT_EQ(Simulate({{0, u"index.html", A::kModified}, {3, u"index.html", A::kModified}}, 500),
            (Events{{103, kReload}}));
  // An editor writing a temporary file and renaming it over the page.
  EXPECT_EQ(Simulate({{0, u"index.html.tmp", A::kAdded},
                      {1, u"index.html.tmp", A::kModified},
                      {2, u"index.html", A::kRemoved},
                      {2, u"index.html.tmp", A::kRenamedOld},
                      {2, u"index.html", A::kRenamedNew}},
                     500),
            (Events{{102, kReload}}));
}

TEST(ChangeBatcher, StyleSheetsAloneAreSwapped) {
  EXPECT_EQ(Simulate({{0, u"css\\Site.CSS", A::kModified}}, 300), (Events{{100, kCss}}));
  EXPECT_EQ(Simulate({{0, u"a.css", A::kModified}, {50, u"b.css", A::kAdded}}, 300), (Events{{150, kCss}}));
  // The temporary of a style sheet's save does not count.
  EXPECT_EQ(
      Simulate({{0, u"site.css~", A::kAdded}, {1, u"site.css~", A::kRenamedOld}, {1, u"site.css", A::kRenamedNew}},
               300),
      (Events{{101, kCss}}));
  // The same when the temporary's creation is reported as a change.
  EXPECT_EQ(
      Simulate(
          {{0, u"site.css.tmp", A::kModified}, {1, u"site.css.tmp", A::kRenamedOld}, {1, u"site.css", A::kRenamedNew}},
          300),
      (Events{{101, kCss}}));
  // Any other file makes it a reload.
  EXPECT_EQ(Simulate({{0, u"a.css", A::kModified}, {10, u"app.js", A::kModified}}, 300), (Events{{110, kReload}}));
}

TEST(ChangeBatcher, SeparateSavesGiveSeparateEvents) {
  EXPECT_EQ(Simulate({{0, u"a.html", A::kModified}, {250, u"a.html", A::kModified}}, 600),
            (Events{{100, kReload}, {350, kReload}}));
}

TEST(ChangeBatcher, ANeverQuietFolderStillReloadsEverySecond) {
  std::vector<Notice> notices;
  for (int ms = 0; ms <= 2500; ms += 50) notices.push_back({ms, u"log.txt", A::kModified});
  EXPECT_EQ(Simulate(notices, 2500), (Events{{1000, kReload}, {2050, kReload}}));
}

TEST(ChangeBatcher, TemporariesAloneGiveNoEvent) {
  EXPECT_EQ(Simulate({{0, u"~lock.tmp", A::kAdded}, {5, u"~lock.tmp", A::kRemoved}}, 300), Events{});
}

TEST(ChangeBatcher, ADeletedPageReloads) {
  EXPECT_EQ(Simulate({{0, u"old.html", A::kRemoved}}, 300), (Events{{100, kReload}}));
}

TEST(ChangeBatcher, LostNoticesReload) {
  ChangeBatcher batcher;
  const Clock::time_point zero{};
  batcher.Add(u"a.css", A::kModified, zero);
  batcher.AddOverflow(zero + milliseconds(10));
  EXPECT_EQ(batcher.Deadline(), zero + milliseconds(110));
  EXPECT_EQ(batcher.TakeDue(zero + milliseconds(109)), std::nullopt);
  EXPECT_EQ(batcher.TakeDue(zero + milliseconds(110)), kReload);
  EXPECT_EQ(batcher.Deadline(), std::nullopt);
}

}  // namespace
}  // namespace tagsling::preview
