#include "ui/model/TaskTrayModel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tagsling::ui {
namespace {

class FakeShell : public TrayShell {
 public:
  bool Notify(TrayOp op, int id, unsigned flags, const std::string& tip) override {
    static const char* const kOps[] = {"add", "modify", "delete"};
    log.push_back(std::string(kOps[static_cast<int>(op)]) + " " + std::to_string(id) + " " + std::to_string(flags) +
                  " " + tip);
    return !failing;
  }
  std::vector<std::string> log;
  bool failing = false;
};

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const TrayIconError& e) {
    return e.what();
  }
  return "";
}

TEST(TrayIcon, IdentifiersAreUniqueInTheProcess) {
  TrayIconIds ids;
  FakeShell shell;
  auto first = std::make_unique<TaskTrayModel>(ids, shell);
  TaskTrayModel second(ids, shell);
  EXPECT_EQ(first->IconID(), 1);
  EXPECT_EQ(second.IconID(), 2);
  EXPECT_EQ(ErrorOf([&] { second.SetIconID(1); }), kTrayIdInUse);
  EXPECT_EQ(ErrorOf([&] { second.SetIconID(0); }), kTrayIdNotPositive);
  EXPECT_EQ(ErrorOf([&] { second.SetIconID(-3); }), kTrayIdNotPositive);
  EXPECT_EQ(second.IconID(), 2);
  second.SetIconID(2);  // the current value: nothing
  second.SetIconID(7);
  EXPECT_EQ(ids.Ids(), (std::vector<int>{1, 7}));  // replaced in place
  TaskTrayModel third(ids, shell);
  EXPECT_EQ(third.IconID(), 8);  // the last one plus 1
  first.reset();
  EXPECT_EQ(ids.Ids(), (std::vector<int>{7, 8}));
  TaskTrayModel fourth(ids, shell);
  EXPECT_EQ(fourth.IconID(), 9);
  EXPECT_EQ(ids.Find(9), &fourth);
  EXPECT_EQ(ids.Find(1), nullptr);
  EXPECT_TRUE(shell.log.empty());  // nothing was registered
}

TEST(TrayIcon, TipIsCutTo63BytesWithoutSplittingACharacter) {
  const std::string seventy(70, 'a');
  EXPECT_EQ(TrayTipText(seventy), std::string(63, 'a'));
  EXPECT_EQ(TrayTipText("Tagsling"), "Tagsling");
  // 62 single bytes then a double-byte character: it does not fit whole.
  const std::string kanji = "\x93\xfa";
  EXPECT_EQ(TrayTipText(std::string(62, 'a') + kanji), std::string(62, 'a'));
  EXPECT_EQ(TrayTipText(std::string(61, 'a') + kanji + "b"), std::string(61, 'a') + kanji);
  EXPECT_EQ(TrayIconFlags(""), kNifMessage | kNifIcon);
  EXPECT_EQ(TrayIconFlags("x"), kNifMessage | kNifIcon | kNifTip);
}

TEST(TrayIcon, RegistrationAddsThenModifiesThenDeletes) {
  TrayIconIds ids;
  FakeShell shell;
  TaskTrayModel tray(ids, shell);
  EXPECT_EQ(ErrorOf([&] { tray.SetRegistered(true); }), kTrayNoIcon);
  EXPECT_FALSE(tray.Registered());
  tray.SetHasIcon(true);  // not registered yet: nothing reaches the shell
  tray.SetTipString("Tagsling");
  EXPECT_TRUE(shell.log.empty());
  tray.SetRegistered(true);
  tray.SetTipString("Tagsling");  // same text: nothing
  tray.SetTipString(std::string(70, 'x'));
  tray.SetTipString("");
  tray.SetIconID(5);  // removed under the old identifier, shown under the new one
  tray.SetHasIcon(false);
  EXPECT_FALSE(tray.Registered());
  tray.SetRegistered(false);  // already removed: nothing
  const std::vector<std::string> expected = {
      "add 1 7 Tagsling", "modify 1 7 " + std::string(63, 'x'), "modify 1 3 ", "delete 1 0 ", "add 5 3 ", "delete 5 0 ",
  };
  EXPECT_EQ(shell.log, expected);
}

TEST(TrayIcon, ShellRefusalIsReportedAndRetried) {
  TrayIconIds ids;
  FakeShell shell;
  TaskTrayModel tray(ids, shell);
  tray.SetHasIcon(true);
  shell.failing = true;
  EXPECT_EQ(ErrorOf([&] { tray.SetRegistered(true); }), kTrayCannotRegister);
  EXPECT_FALSE(tray.Added());
  shell.failing = false;
  tray.ShowIcon();
  EXPECT_EQ(shell.log.back(), "add 1 3 ");  // still an add: the first one failed
}

TEST(TrayIcon, RecreatedTaskbarGetsTheIconBack) {
  TrayIconIds ids;
  FakeShell shell;
  {
    TaskTrayModel tray(ids, shell);
    tray.SetHasIcon(true);
    tray.SetTipString("Tagsling");
    tray.TaskbarCreated();  // not registered: stays away
    EXPECT_TRUE(shell.log.empty());
    tray.SetRegistered(true);
    tray.TaskbarCreated();
    EXPECT_EQ(shell.log, (std::vector<std::string>{"add 1 7 Tagsling", "add 1 7 Tagsling"}));
  }
  EXPECT_EQ(shell.log.back(), "delete 1 0 ");  // destruction removes it
  EXPECT_TRUE(ids.Ids().empty());
}

TEST(TrayIcon, CallbackTable) {
  using enum TrayMouseKind;
  struct Case {
    unsigned message;
    std::optional<TrayMouseEvent> event;
  };
  const Case cases[] = {
      {0x200, TrayMouseEvent{kMove, TrayButton::kNone}},
      {0x201, TrayMouseEvent{kDown, TrayButton::kLeft}},
      {0x202, TrayMouseEvent{kUp, TrayButton::kLeft}},
      {0x203, TrayMouseEvent{kDblClick, TrayButton::kLeft}},
      {0x204, TrayMouseEvent{kDown, TrayButton::kRight}},
      {0x205, TrayMouseEvent{kUp, TrayButton::kRight}},
      {0x206, TrayMouseEvent{kDblClick, TrayButton::kRight}},
      {0x207, TrayMouseEvent{kDown, TrayButton::kMiddle}},
      {0x208, TrayMouseEvent{kUp, TrayButton::kMiddle}},
      {0x209, std::nullopt},
      {0x20A, std::nullopt},
      {0x400, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeTrayMouseMessage(c.message), c.event) << std::hex << c.message;
}

TEST(TrayIcon, MainWindowClickRules) {
  EXPECT_EQ(DecideTrayClick(TrayButton::kLeft, false, false), TrayClickAction::kShowMainWindow);
  EXPECT_EQ(DecideTrayClick(TrayButton::kRight, false, false), TrayClickAction::kOpenTrayMenu);
  EXPECT_EQ(DecideTrayClick(TrayButton::kMiddle, false, false), TrayClickAction::kNone);
  EXPECT_EQ(DecideTrayClick(TrayButton::kRight, false, true), TrayClickAction::kNone);  // options dialog open
  EXPECT_EQ(DecideTrayClick(TrayButton::kLeft, true, false), TrayClickAction::kNone);
  EXPECT_TRUE(TrayIconWanted(true, false));
  EXPECT_FALSE(TrayIconWanted(true, true));
  EXPECT_FALSE(TrayIconWanted(false, false));
}

}  // namespace
}  // namespace tagsling::ui
