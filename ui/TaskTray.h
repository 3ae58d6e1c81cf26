#pragma once
// TaskTray: one icon in the taskbar's notification area (Shell_NotifyIconW).
// The rules (identifiers, errors, add/modify/delete, tooltip) are the
// portable TaskTrayModel; this class adds the icon image, the menus opened on
// a click, the mouse events, and the one hidden TNotifyWindow that every icon
// of the process reports to with message 0x466.
//
// Callbacks are not re-entered: while one is handled (a menu may be open and
// pumping messages) further mouse messages of any icon are ignored.
// When Explorer re-creates the taskbar ("TaskbarCreated"), every registered
// icon is added again.
//
// Property errors throw TrayIconError (Shift-JIS message); callers inside a
// window procedure report them through the error box.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/model/TaskTrayModel.h"

namespace tagsling::ui {

class TaskTray : private TrayShell {
 public:
  // `owner`: the form the icon belongs to; it is made the foreground window
  // before a mouse press is reported.
  explicit TaskTray(HWND owner);
  ~TaskTray() override;
  TaskTray(const TaskTray&) = delete;
  TaskTray& operator=(const TaskTray&) = delete;

  const std::string& TipString() const { return model_.TipString(); }
  void SetTipString(const std::string& sjis_tip) { model_.SetTipString(sjis_tip); }
  HICON Icon() const { return icon_; }
  // Copies the image; nullptr clears it and removes the icon.
  void SetIcon(HICON icon);
  int IconID() const { return model_.IconID(); }
  void SetIconID(int id) { model_.SetIconID(id); }
  bool Registered() const { return model_.Registered(); }
  void SetRegistered(bool registered) { model_.SetRegistered(registered); }

  HMENU PopupMenuL = nullptr;  // opened on a left press, when set
  HMENU PopupMenuR = nullptr;  // opened on a right press, when set

  std::function<void(TaskTray&, TrayButton, POINT)> OnMouseDown;
  std::function<void(TaskTray&, TrayButton, POINT)> OnMouseUp;
  std::function<void(TaskTray&, POINT)> OnMouseMove;
  std::function<void(TaskTray&, TrayButton)> OnDblClick;

  void ShowIcon() { model_.ShowIcon(); }
  void RemoveIcon() { model_.RemoveIcon(); }

  // The shared callback window (created on first need), for tests and wiring.
  static HWND NotifyWindow();

 private:
  bool Notify(TrayOp op, int id, unsigned flags, const std::string& tip) override;
  void MouseDown(TrayButton button, POINT at);
  void Dispatch(const TrayMouseEvent& event, POINT at);
  // The shared callback window's messages (win/Window.h): mouse events
  // of any icon, and "TaskbarCreated".
  struct NotifyWindowOwner {
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  };

  HWND owner_;
  HICON icon_ = nullptr;
  TaskTrayModel model_;
};

}  // namespace tagsling::ui
