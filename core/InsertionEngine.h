#pragma once
// The insertion engine: puts a tag into the editor the user works in.
//
// The editor is never written to directly. The engine puts text on the
// clipboard and makes the editor paste it, by synthesised keystrokes or by
// WM_PASTE to the editor's focus control. Normal mode pastes the expanded
// template and presses Left back to the placeholder. Sandwich mode first
// fetches the editor's selection through the clipboard (clear, cut or copy,
// wait for the clipboard to be free, wait the paste lag, read), puts it
// where the template says "%SELSTR%" and pastes the result over it. Holding
// Ctrl pastes the part before the placeholder, Ctrl+Shift the part after it.
//
// Because the editor handles synthesised keys asynchronously, the capture is
// split over two one-shot timer ticks (Timer1 then PasteTimer). Tag deletion
// and the abbreviation commands reuse the same capture with Timer2 and
// PasteTimer2 and their own transformation of the selection, which may also
// move the caret back into the pasted text.
//
// One job at a time. A command, tag deletion or capture that arrives while a
// job is running or pending (also from inside one of the engine's polling
// waits) is refused with a beep, so a pending tick never pastes the text of
// another job.
//
// The selection travels as UTF-16 text from the clipboard into the pasted
// result; only the template's own text passes through code page 932, so
// characters that code page cannot hold (emoji) come back unchanged.
//
// Failures are beeps; a clipboard that stays held by another program is
// reported with "クリップボードを開くことができません", and one that was
// opened but would not take the text with "クリップボードにテキストを書き込む
// ことができません". Either ends the job before anything is pasted. No
// exception leaves a timer tick: it ends the job and is shown in a message box.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/KeyTables.h"
#include "platform/Platform.h"
#include "settings/AppSettings.h"

namespace tagsling::core {

using platform::WideText;
using platform::WindowHandle;

// "クリップボードを開くことができません" (the clipboard cannot be opened), Shift-JIS.
extern const char* const kCannotOpenClipboardMessage;
// "クリップボードにテキストを書き込むことができません" (no text can be written
// to the clipboard), Shift-JIS.
extern const char* const kCannotStoreClipboardMessage;

// The timers of the main window that the engine arms.
enum EngineTimerId : int { kTimer1 = 1, kPasteTimer = 2, kTimer2 = 3, kPasteTimer2 = 4 };

// The program-wide insertion job.
struct InsertionJob {
  std::string tag_text;           // last text put on the clipboard for pasting
  WideText selection_text;        // what the editor's cut or copy delivered
  std::string lowered_template;   // the expanded template
  std::string sandwich_template;  // with "%SELSTR%" in place
  std::size_t cursor_back = 0;
  WindowHandle focus_window = platform::kNoWindow;  // target of WM_CUT/COPY/PASTE
};

// What a transformation of the selection pastes: the text, and how many
// times Left is pressed once it is pasted (with CursorBak on).
struct SelectionResult {
  SelectionResult(WideText pasted, std::size_t back = 0) : text(std::move(pasted)), caret_back(back) {}
  WideText text;
  std::size_t caret_back = 0;  // 0: the caret stays after the text
};

// A transformation of the captured selection (tag deletion, the
// abbreviation commands): what to paste, or nullopt when nothing is to be
// pasted (the transformation has told the user why).
using SelectionTransform = std::function<std::optional<SelectionResult>(const WideText& selection)>;

// What the engine needs from the rest of the program.
struct EngineHooks {
  // Raw template of a key from "Html.dat", and of a user tag number.
  std::function<std::string(const std::string& key)> read_template;
  std::function<std::string(int number)> read_user_template;
  // The pass-through window classes (may be null: no entries).
  const std::vector<std::string>* through_classes = nullptr;
  // Called after a sandwich delivery turned HasamiMode off, to update the
  // mode indicators.
  std::function<void()> sandwich_mode_changed;
};

class InsertionEngine {
 public:
  // How long the clipboard may stay held open by others before a capture
  // gives up, and how long a failed open is retried.
  static constexpr unsigned kClipboardWaitMs = 3000;
  static constexpr unsigned kOpenRetryMs = 100;
  static constexpr unsigned kPollSleepMs = 5;
  static constexpr unsigned kPasteDelayMs = 50;

  InsertionEngine(platform::Platform platform, settings::AppSettings& settings, EngineHooks hooks);

  // Entry points. The popup forms skip target resolution while a hot-key
  // menu is up (from BeginCaretMenu until EndCaretMenu, which comes after the
  // menu's chosen command has run) and use the focus window it remembered:
  // the control the user typed in, even when the target search would pass
  // over its window.
  void RunTagCommand(const std::string& key);
  void RunTagCommandFromPopup(const std::string& key);
  void RunUserTag(int number);
  void RunUserTagFromPopup(int number);

  // The caret-menu flag of the hot-key popups and the focus it remembered.
  // BeginCaretMenu also makes that focus the job's focus window when no job
  // runs (tag deletion from the popup pastes there).
  void BeginCaretMenu(WindowHandle focus_window);
  void EndCaretMenu();
  bool CaretMenuActive() const { return caret_menu_; }

  // The capture of tag deletion and the abbreviation commands: processes
  // pending messages, optionally resolves the target and captures its focus,
  // clears the clipboard, cuts or copies, and arms Timer2. False (after a
  // beep) when a job is already pending or the clipboard cannot be opened.
  bool StartSelectionCapture(bool capture_focus, SelectionTransform transform);

  // The clipboard actions in the configured mode, and the caret move.
  void SendCut();
  void SendCopy();
  void SendPaste();
  void MoveCaretBack(std::size_t count);

  // Puts text on the clipboard (retrying a busy clipboard briefly, then
  // telling the user) and pastes it; false, with nothing pasted, when the
  // text did not reach the clipboard. For the input helpers' own pastes.
  bool PasteText(const std::string& sjis_text);
  bool PasteWideText(const WideText& text);
  // The input commands' paste: `focus` (the control they captured) becomes
  // the job's focus window, then PasteText. Refused with a beep while a job
  // is pending, whose capture would otherwise read this text back.
  bool PasteTextTo(WindowHandle focus, const std::string& sjis_text);
  // The same for UTF-16 text (paths that code page 932 cannot hold).
  bool PasteTextTo(WindowHandle focus, const WideText& text);

  // Timer ticks (the host's timers call them through the platform).
  void Timer1Timer();
  void PasteTimerTimer();
  void Timer2Timer();
  void PasteTimer2Timer();

  // A job is running or waiting for a tick.
  bool IsBusy() const { return state_ != State::kIdle; }
  const InsertionJob& job() const { return job_; }

 private:
  enum class State { kIdle, kRunning, kWaitingClipboard, kWaitingLag };
  enum class Capture { kSandwich, kDeletion };
  class RunScope;

  void Run(const std::string& raw, bool lower, bool resolve_target);
  bool Refuse();
  const std::vector<std::string>& ThroughClasses() const;
  void NormalDelivery();
  void PartDelivery(const std::optional<std::string>& part);
  void SandwichDelivery();
  bool BeginCapture(Capture capture);
  void WaitTick(Capture capture);
  void PasteTick(Capture capture);
  void Tick(void (InsertionEngine::*step)(Capture), Capture capture);
  void SendCombination(std::span<const KeyCombination> table, int value, platform::ClipboardMessage message);
  void WaitForModifierRelease();
  bool SetClipboard(const WideText& text);
  std::optional<WideText> ReadClipboard();
  void ArmTimer(int id, unsigned interval_ms, void (InsertionEngine::*tick)());

  platform::Platform p_;
  settings::AppSettings& settings_;
  EngineHooks hooks_;
  InsertionJob job_;
  State state_ = State::kIdle;
  bool caret_menu_ = false;
  WindowHandle caret_menu_focus_ = platform::kNoWindow;
  SelectionTransform transform_;
};

// The sandwich result: `sandwich` with every "%SELSTR%" replaced by the
// selection, a "%SELSTR%" inside the selection staying literal (the result
// ReplaceAllShielded gives), computed in UTF-16 so that the selection never
// passes through code page 932.
WideText ComposeSandwich(platform::TextCodec& codec, std::string_view sandwich, const WideText& selection);

}  // namespace tagsling::core
