#pragma once
// The insertion engine: puts a tag into the editor the user works in.
//
// The editor is never written to directly. The engine offers text on the
// clipboard and makes the editor paste it, by synthesised keystrokes or by
// WM_PASTE to the editor's focus control. Normal mode pastes the expanded
// template and presses Left back to the placeholder. Sandwich mode first
// fetches the editor's selection through the clipboard (cut or copy, wait
// for the editor's text, read), puts it where the template says
// "%SELSTR%" and pastes the result over it. Holding Ctrl pastes the part
// before the placeholder, Ctrl+Shift the part after it. Tag deletion reuses
// the capture with its own transformation of the selection.
//
// A job runs from the command until the editor has taken its last paste and
// the caret keys have been sent (or until it failed). It never blocks the
// thread: every wait is a one-shot timer tick or a clipboard notification on
// the message loop, so the palette stays responsive meanwhile. Its phases:
//
//   before cut    KeyUpPaste: Shift and Ctrl still held; polled (capture timer)
//   capturing     cut or copy sent; waiting for the editor's text (below)
//   before paste  text offered; the 50 ms pause, then the KeyUpPaste wait
//   paste sent    waiting for the editor to ask for the text (at most 1 s)
//   restoring     RestoreClipboard: putting the user's clipboard back
//
// A normal or part delivery offers its text before it brings the target to
// the front, so the pause before the paste keys (50 ms from the offer, time
// for clipboard viewers to finish) also covers the activation.
//
// The clipboard is not emptied before the cut: a program that reads every
// change (clipboard history) would hold it open just when the editor cuts,
// and an edit control whose copy failed still deletes the selection. The
// cut waits until no window holds the clipboard; if it had to wait, or an
// earlier job met a program that reads every offer, the selection is read
// by copy instead (the paste replaces the still-selected text, and a failed
// copy or paste loses nothing). An unchanged sequence number after the cut
// or copy means the editor gave nothing: an empty selection, or, in message
// mode, an editor that ignores WM_CUT (the job then ends with a beep).
//
// The capture polls (kSandwichPollTimer, or kDeletionPollTimer for tag
// deletion, every few ms, and on every clipboard notification): it first waits
// for the clipboard to be free (at most 3 s, then "クリップボードを開くことができません"), then
// reads the selection as soon as the editor's text is there (the sequence
// number changed since the cut, no window holds the clipboard, text
// available), at the latest HasamiTime after the clipboard was found free
// (kSandwichLagTimer, or kDeletionLagTimer). With AdaptivePasteLag off only
// that lag counts, as it always did. The paste is offered by delayed
// rendering, marked to stay out of clipboard history: the editor's request for
// the data, made from a window of the target's process after the paste keys,
// is the proof that it has taken the paste, so Left follows only then. A
// request from anyone else serves the data and changes nothing. When another
// program rendered the offer during the pause, it is offered again just before
// the keys (once), and the keys wait until the clipboard has been free for a
// moment. When another program renders that too, the editor's paste cannot be
// seen: Left goes at once (it is queued behind the paste), the job holds for
// the bound so that no later job replaces the offer, and the offer stays. An
// editor that never asks ends the job after 1 s with a beep, and the offer
// stays for a late paste; a paste that sent nothing (no key for the setting)
// ends it at once. KeyUpPaste waits at most 10 s, then the job is given up
// with a beep.
//
// One job at a time. A command, tag deletion, capture or input paste that
// arrives while a job runs (also while an entry point lets pending messages
// through) is refused with a beep, so no key event of one job is ever sent
// between those of another.
//
// The newer content wins: before each of its clipboard writes and before
// the paste keys the job compares the sequence number with the one it last
// saw. A change by someone else before the paste keys ends a normal paste
// with a beep; a captured selection is offered again and still pasted (the
// document comes first), and the newer content is what is put back.
//
// With RestoreClipboard on, the job saves the whole clipboard (off the
// thread, at most 500 ms: past it the restore is skipped and the user told
// once per run) before it first changes it and puts it back at its end,
// unless someone else changed the clipboard since the job's last own change,
// the clipboard holds text cut from the editor that was not pasted back (it
// would be lost), or the paste was not seen taken (a late paste must find
// the tag). Formats that could not be kept are named in a message the first
// time that happens.
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
#include <cstdint>
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
// "次の形式はクリップボードに戻せませんでした:" (these formats could not be put
// back on the clipboard), Shift-JIS; the names follow, one per line.
extern const char* const kFormatsNotKeptMessage;
// "ほかのプログラムがクリップボードを使用していたため、クリップボードを元に
// 戻せませんでした" (the clipboard could not be restored beside another
// program), Shift-JIS; told once per run.
extern const char* const kClipboardNotRestoredMessage;

// The timers of the engine (ids on the platform's timer service).
enum EngineTimerId : int {
  kSandwichPollTimer = 1,  // sandwich capture: the poll
  kSandwichLagTimer = 2,   // sandwich capture: the paste lag
  kDeletionPollTimer = 3,  // tag deletion capture: the poll
  kDeletionLagTimer = 4,   // tag deletion capture: the paste lag
  kDeliveryTimer = 5       // the pause before a paste, the KeyUpPaste wait, the wait for the paste to be taken
};

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
// times Left is pressed once the editor has taken it (with CursorBak on).
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
  // The poll of every wait, the pause before a paste, and how long an editor
  // may take to ask for a paste's text.
  static constexpr unsigned kPollMs = 5;
  static constexpr unsigned kPasteDelayMs = 50;
  // After offering again, the clipboard must have been free this long
  // before the paste keys (a reader of every change reads the offer).
  static constexpr unsigned kSettleMs = 15;
  static constexpr unsigned kPasteTakenBoundMs = 1000;
  // How long KeyUpPaste waits for Shift and Ctrl to be released: a key the
  // system still believes held (after Win+L or a remote-desktop switch)
  // must not hold the job for ever.
  static constexpr unsigned kKeyUpBoundMs = 10000;
  // What RestoreClipboard keeps of the user's clipboard at most, and how
  // long saving it may take.
  static constexpr std::size_t kSavedClipboardLimit = 64u << 20;
  static constexpr unsigned kSaveBoundMs = 500;
  // How long a write waits for a clipboard that a save past its bound still
  // holds open.
  static constexpr unsigned kSlowOwnerWaitMs = 10000;

  InsertionEngine(platform::Platform platform, settings::AppSettings& settings, EngineHooks hooks);
  ~InsertionEngine();
  InsertionEngine(const InsertionEngine&) = delete;
  InsertionEngine& operator=(const InsertionEngine&) = delete;

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

  // The capture of tag deletion and the abbreviation commands: processes pending messages, optionally resolves
  // the target and captures its focus, clears the clipboard, cuts or copies,
  // and starts the capture. False (after a beep) when a job is already
  // running, or when the clipboard cannot be opened (after the message).
  bool StartSelectionCapture(bool capture_focus, SelectionTransform transform);

  // Paste jobs for the input helpers: put the text on the clipboard
  // (retrying a busy clipboard briefly, then telling the user) and paste it
  // into the job's focus window; `caret_back` Left presses follow once the
  // editor has taken it. False, with nothing pasted, when a job is running
  // (after a beep) or the text did not reach the clipboard. The paste itself
  // completes later.
  bool PasteText(const std::string& sjis_text);
  bool PasteWideText(const WideText& text, std::size_t caret_back = 0);
  // The input commands' paste: `focus` (the control they captured) becomes
  // the job's focus window, then PasteText.
  bool PasteTextTo(WindowHandle focus, const std::string& sjis_text);
  // The same for UTF-16 text (paths that code page 932 cannot hold).
  bool PasteTextTo(WindowHandle focus, const WideText& text);

  // Timer ticks (the engine's timers call them through the platform).
  void OnSandwichPoll();
  void OnSandwichLag();
  void OnDeletionPoll();
  void OnDeletionLag();
  void OnDeliveryTimer();

  // A job is running or waiting for a tick or a notification.
  bool IsBusy() const { return phase_ != Phase::kIdle; }
  const InsertionJob& job() const { return job_; }

 private:
  enum class Phase { kIdle, kStarting, kBeforeCut, kCapturing, kBeforePaste, kPasteSent, kRestoring };
  enum class Capture { kSandwich, kDeletion };
  class StepScope;

  // The running job's progress beside the job's texts.
  struct Progress {
    Capture capture = Capture::kSandwich;
    std::uint64_t phase_start = 0;                 // when the current wait began
    std::optional<std::uint64_t> free_since;       // capture, or after offering again: free since
    std::optional<std::uint64_t> keys_held_since;  // KeyUpPaste: the wait for the release began
    std::uint32_t cut_sequence = 0;                // capture: the sequence number before the cut or copy
    std::uint32_t left_sequence = 0;               // the sequence number the job last saw or made
    std::uint32_t saved_sequence = 0;              // the sequence number of what `saved` holds
    std::size_t caret_back = 0;                    // Left presses once the paste was taken
    bool save_tried = false;
    std::optional<platform::ClipboardContents> saved;  // RestoreClipboard: what to put back
    bool holds_editor_cut = false;           // the clipboard holds text cut from the editor, not yet pasted back
    bool copy_instead_of_cut = false;        // another program had the clipboard open before the cut
    bool pastes_selection = false;           // the offer holds the editor's captured selection
    WideText offer;                          // the text offered for the paste (offered again when needed)
    platform::ProcessId target_process = 0;  // whose request for the offer counts as the paste
    bool offered_again = false;              // offered again just before the paste keys
    bool renderer_unknown = false;           // another program took the offer after the paste keys
    bool keep_offer = false;                 // the paste was sent but not seen taken: no restore
    bool save_timed_out = false;             // the save ran out of time and may still hold the clipboard
    bool tell_not_restored = false;          // the user's clipboard could not be kept: say so at the end
  };

  template <typename Body>
  bool Start(bool pump, Body body);
  bool Refuse();
  const std::vector<std::string>& ThroughClasses() const;
  std::string Template(const std::string& key);
  std::string UserTemplate(int number);
  void Run(const std::string& raw, bool lower, bool resolve_target);
  void NormalDelivery();
  void PartDelivery(const std::optional<std::string>& part);
  void SandwichDelivery();
  // The steps. Each either arms the timer of its next step or ends the job.
  bool BeginCapture(Capture capture);
  void CutOrCopyStep();
  void CaptureStep();      // a tick of the capture's poll
  void CaptureNotified();  // a clipboard notification while capturing
  void Capturing(bool tick);
  void ReadSelection();
  bool BeginPaste(const WideText& text, std::size_t caret_back);
  void PasteStep();
  void PasteSentStep();
  void TakenStep();
  void PasteNotSeen();
  void FinishJob();  // puts the clipboard back when asked, then EndJob
  void RestoreStep();
  void EndJob(bool restored = false);
  // Timer and notification dispatch.
  void CapturePollStep();
  void LagStep();
  void DeliveryStep();
  void Tick(int id, void (InsertionEngine::*step)());
  void OnClipboardChanged();
  void RunStep(void (InsertionEngine::*step)());
  void ArmTimer(int id, unsigned interval_ms);
  void StopTimers();
  int CapturePollTimer() const {
    return progress_.capture == Capture::kSandwich ? kSandwichPollTimer : kDeletionPollTimer;
  }
  int CaptureLagTimer() const {
    return progress_.capture == Capture::kSandwich ? kSandwichLagTimer : kDeletionLagTimer;
  }
  // Keys and the clipboard.
  bool WaitsForModifiers();
  void WaitForKeyUp(int timer);
  platform::ProcessId TargetProcess();
  void SendCutOrCopy();
  bool SendCombination(std::span<const KeyCombination> table, int value, platform::ClipboardMessage message);
  void MoveCaretBack(std::size_t count);
  bool SaveClipboardOnce();
  void SaveNewerContent();
  bool ForeignChange();
  void TellNotRestored();
  bool SetClipboard(const WideText& text, bool offer);
  std::optional<WideText> ReadClipboard();

  platform::Platform p_;
  settings::AppSettings& settings_;
  EngineHooks hooks_;
  InsertionJob job_;
  Phase phase_ = Phase::kIdle;
  Progress progress_;
  bool in_step_ = false;
  bool reported_not_kept_ = false;
  bool reported_not_restored_ = false;
  // A program that reads every offer at once runs beside us: sandwiches
  // read the selection by copy.
  bool reader_seen_ = false;
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
