#pragma once
// The notification-area icon component's rules, without the shell call:
// identifiers unique in the process (the shared identifier list), the
// property errors, when the icon is added, modified or deleted, the 63-byte
// tooltip and its flag, the callback's mouse-message table, and the main
// window's reaction to a click. ui/TaskTray (TaskTray) is the Win32
// component built on it: it supplies the window, the icon handle and
// Shell_NotifyIconW.
//
// Errors are thrown as TrayIconError with the user's message in Shift-JIS;
// the property keeps its previous value.
//
// One deliberate addition: when the taskbar is created again (Explorer
// restarted, the "TaskbarCreated" message), a registered icon is added anew,
// so a resident program never ends up without a visible icon.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tagsling::ui {

class TrayIconError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Shift-JIS messages.
extern const char* const kTrayIdNotPositive;   // "0以下は指定できません"
extern const char* const kTrayIdInUse;         // "同じアイコン識別子が有ります"
extern const char* const kTrayNoIcon;          // "アイコンが指定されていません"
extern const char* const kTrayCannotRegister;  // "タスクトレイに登録できません"

inline constexpr unsigned kTrayCallbackMessage = 0x466;  // WM_USER + 102
inline constexpr std::size_t kTrayTipMaxBytes = 63;      // the 64-byte tip field less its terminator
inline constexpr unsigned kNifMessage = 0x1, kNifIcon = 0x2, kNifTip = 0x4;

// The identifiers of the live icons of the process, in creation order.
class TrayIconIds {
 public:
  // A new instance's identifier: 1 when none lives, else the last one plus 1.
  int Add(const void* instance);
  void Remove(const void* instance);
  // Replaces the instance's identifier in place. Throws kTrayIdNotPositive
  // for values below 1 and kTrayIdInUse for one held by another instance.
  void Change(const void* instance, int id);
  // The instance holding `id`, or nullptr.
  const void* Find(int id) const;
  std::vector<int> Ids() const;

 private:
  struct Entry {
    int id;
    const void* instance;
  };
  std::vector<Entry> entries_;
};

// The tooltip handed to the system: at most 63 bytes, never cutting a
// double-byte character in half.
std::string TrayTipText(std::string_view tip);
// NIF_MESSAGE | NIF_ICON, plus NIF_TIP when the tooltip is not empty.
unsigned TrayIconFlags(std::string_view tip);

enum class TrayOp { kAdd, kModify, kDelete };

// The shell's side of one icon.
class TrayShell {
 public:
  virtual ~TrayShell() = default;
  // Shell_NotifyIcon; `flags` and `tip` are only meaningful for Add and Modify.
  virtual bool Notify(TrayOp op, int id, unsigned flags, const std::string& tip) = 0;
};

// One icon's state machine.
class TaskTrayModel {
 public:
  TaskTrayModel(TrayIconIds& ids, TrayShell& shell);
  ~TaskTrayModel();  // removes the icon and leaves the identifier list
  TaskTrayModel(const TaskTrayModel&) = delete;
  TaskTrayModel& operator=(const TaskTrayModel&) = delete;

  const std::string& TipString() const { return tip_; }
  void SetTipString(const std::string& tip);  // a different value shows the icon again
  int IconID() const { return id_; }
  void SetIconID(int id);
  bool Registered() const { return registered_; }
  void SetRegistered(bool registered);
  bool HasIcon() const { return has_icon_; }
  // The component got an image (shows the icon) or lost it (removes the icon).
  void SetHasIcon(bool has_icon);
  bool Added() const { return added_; }

  // NIM_ADD or NIM_MODIFY while registered. Throws kTrayCannotRegister.
  void ShowIcon();
  // NIM_DELETE when added; then neither added nor registered.
  void RemoveIcon();
  // The taskbar was created again: the shell has forgotten every icon.
  void TaskbarCreated();

 private:
  void DeleteFromShell();

  TrayIconIds& ids_;
  TrayShell& shell_;
  std::string tip_;
  int id_;
  bool registered_ = false;
  bool has_icon_ = false;
  bool added_ = false;
};

// The callback's mouse messages.
enum class TrayMouseKind { kMove, kDown, kUp, kDblClick };
enum class TrayButton { kNone, kLeft, kRight, kMiddle };
struct TrayMouseEvent {
  TrayMouseKind kind;
  TrayButton button;
  bool operator==(const TrayMouseEvent&) const = default;
};
// WM_MOUSEMOVE .. WM_MBUTTONUP; nullopt for every other message.
std::optional<TrayMouseEvent> DecodeTrayMouseMessage(unsigned message);

// The main window's OnMouseDown.
enum class TrayClickAction { kNone, kShowMainWindow, kOpenTrayMenu };
TrayClickAction DecideTrayClick(TrayButton button, bool main_disabled, bool busy);

// Whether the main window keeps an icon: only when not docked and "TrayIcon" is on.
bool TrayIconWanted(bool tray_icon_setting, bool docked);

}  // namespace tagsling::ui
