#pragma once
// A simulated desktop for unit tests: every platform interface implemented in
// memory on virtual time.
//
// What it models:
// - top-level windows in stacking order (index 0 is the top) with class,
//   title (code page 932, and UTF-16 when set as such), visibility, enabled
//   and minimised state, owner, process, thread, window and client
//   rectangles, and child windows known only by class and rectangle;
// - per-thread focus and thread-input attachment, the foreground window;
// - simulated editor controls (text, caret, selection) that react to the
//   cut, copy and paste keystrokes of the usual editors, to WM_CUT, WM_COPY,
//   WM_PASTE, and to the Left key; an editor asks for the clipboard's data
//   at once, a set time after the paste key, or never;
// - a clipboard holding Unicode text and other formats, with a sequence
//   number, text offered by delayed rendering (rendered when a reader asks,
//   and for good when the program ends), and another "program" that can
//   keep it open for a while or change it;
// - the asynchronous key state, changed by synthesised and by "physical"
//   key events;
// - one-shot timers, posted clipboard notifications and scheduled outside
//   events on a virtual millisecond clock. ProcessPendingMessages lets 1 ms
//   pass and runs what is due, notifications and timers included (as a real
//   message pump would); Sleep lets time pass for the outside world only.
//
// It is deliberately simple: one input queue per desktop, no child windows
// other than editors, no real window messages.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tagsling::platform::sim {

// What a simulated editor does with a key or a message.
enum class EditorAction { kCut, kCopy, kPaste, kLeft, kEscape };

class SimDesktop;

// An edit control. Positions count UTF-16 units, as the real control does.
class SimEditor {
 public:
  WideText text;
  std::size_t anchor = 0;  // selection is [min(anchor, caret), max(...))
  std::size_t caret = 0;

  // Which clipboard command F8 stands for: editors differ, so the test says.
  EditorAction f8_action = EditorAction::kCut;
  // The editor's cut and copy put a non-text format on the clipboard.
  bool copies_without_text = false;
  // A cut that finds the clipboard held by another program still deletes
  // the selection (the standard edit control does this): the text is gone.
  bool cut_deletes_when_clipboard_busy = false;
  // How long after a paste key or WM_PASTE the editor asks for the
  // clipboard's data and inserts it; nullopt: it never asks (the paste is
  // ignored).
  std::optional<std::uint64_t> paste_delay_ms = 0;

  std::vector<EditorAction> actions;  // every action performed, in order

  void SetText(std::u16string_view new_text);  // caret at the end
  void Select(std::size_t start, std::size_t end);
  std::size_t SelectionStart() const { return std::min(anchor, caret); }
  std::size_t SelectionEnd() const { return std::max(anchor, caret); }
  WideText SelectedText() const;

 private:
  friend class SimDesktop;
  void OnKeyDown(std::uint8_t virtual_key, bool shift, bool ctrl, bool alt, SimDesktop& desk);
  void Perform(EditorAction action, SimDesktop& desk);
  void Paste(SimDesktop& desk);
  std::set<std::uint8_t> modifiers_down_;
};

// A clipboard format other than Unicode text.
struct SimClipboardFormat {
  std::string name;
  std::string data;
  bool copyable = true;  // false: a format whose data cannot be copied (owner display, a private handle)
  bool operator==(const SimClipboardFormat&) const = default;
};

// Another program that reads the clipboard at every change, as clipboard
// history, clipboard managers and remote-desktop bridges do: `delay_ms`
// after each change it opens the clipboard for `hold_ms` (from a window of
// its own) and reads the text, rendering an offer. A polite reader skips
// contents that carry the exclusion format, as Windows' history does.
struct SimClipboardReader {
  ProcessId process = 90;
  std::uint64_t delay_ms = 0;
  std::uint64_t hold_ms = 1;
  bool polite = false;
};

struct SimWindow {
  WindowHandle handle = kNoWindow;
  std::string class_name;
  std::string title;
  bool visible = true;
  bool enabled = true;
  bool minimised = false;
  bool maximised = false;
  WindowHandle owner = kNoWindow;
  ProcessId process = 0;
  ThreadId thread = 0;
  Rect rect;
  // The client area; an empty one stands for `rect`.
  Rect client;
  // Child windows known only by class and window rectangle (a browser's
  // page area), in enumeration order.
  std::vector<std::pair<std::string, Rect>> descendants;
  // The UTF-16 title when set by SetWideTitle; otherwise WindowTitleWide
  // converts `title`.
  std::optional<WideText> wide_title;
  WindowHandle focus = kNoWindow;  // the control that has the focus inside it
};

class SimDesktop final : public Clipboard,
                         public Keyboard,
                         public WindowSystem,
                         public Timers,
                         public Feedback,
                         public TextCodec {
 public:
  static constexpr ThreadId kOwnThread = 1;
  static constexpr ProcessId kOwnProcess = 1;
  static constexpr std::uint32_t kUnicodeTextFormat = 13;  // CF_UNICODETEXT

  SimDesktop();
  ~SimDesktop() override;

  Platform platform() { return {*this, *this, *this, *this, *this, *this}; }

  // ---- building the scene ----
  // Adds a top-level window below all existing ones and returns its handle.
  WindowHandle AddWindow(const std::string& class_name, ProcessId process, ThreadId thread);
  // Adds an editor control inside `top` and gives it the window's focus.
  WindowHandle AddEditor(WindowHandle top);
  SimWindow& Window(WindowHandle handle);
  // Gives a window a UTF-16 title; its code page 932 title becomes what
  // the conversion makes of it, as on the real system.
  void SetWideTitle(WindowHandle handle, std::u16string_view title);
  // Closes a top-level window with its editors; the handle names nothing
  // afterwards.
  void RemoveWindow(WindowHandle handle);
  SimEditor& Editor(WindowHandle control);
  // The window at the top of the stacking order.
  WindowHandle TopWindow() const;

  // ---- the outside world ----
  // Runs `action` when the virtual clock reaches now + delay_ms.
  void At(std::uint64_t delay_ms, std::function<void()> action);
  // A "physical" key press or release: changes the key state and reaches the
  // foreground window like typed input.
  void PressKey(std::uint8_t virtual_key);
  void ReleaseKey(std::uint8_t virtual_key);
  // Another program opens the clipboard and keeps it open for `ms`.
  // `with_window` false models OpenClipboard(NULL): GetOpenClipboardWindow
  // then reports nothing although opening fails.
  void HoldClipboard(std::uint64_t ms, bool with_window = true);
  // Another program (or the editor) empties the clipboard and puts `text`
  // (nullopt: no text format) and `formats` there.
  void ReplaceClipboard(std::optional<WideText> text, std::vector<SimClipboardFormat> formats = {});
  // Puts a non-text format on the clipboard.
  void SetClipboardNonText();
  // Another program reads the text, as a paste does: an unrendered offer is
  // rendered (and counts as taken). Empty when the clipboard holds no text or
  // an offer whose program ended without rendering it.
  WideText ReadClipboardAsOtherProgram(ProcessId process = 99);
  // Starts a reader; every later change of the clipboard reaches it.
  void AddClipboardReader(const SimClipboardReader& reader) { readers_.push_back(reader); }
  // The texts the readers read, in order.
  std::vector<WideText> reader_reads;
  // A save asks every format of another program that renders its delayed
  // data this slowly (0: the data is there).
  std::uint64_t save_render_ms = 0;
  // The program ends: offered text is rendered for good (WM_RENDERALLFORMATS)
  // unless `render_all` is false, when it is lost. Later renders are
  // impossible.
  void EndProgram(bool render_all = true);
  // Every later write of ours finds the clipboard but cannot store its text
  // (as when GlobalAlloc fails after EmptyClipboard): the clipboard ends up
  // empty and the write reports kNotStored.
  bool clipboard_store_fails = false;
  // Synthesised keys reach the editor this many ms after they are sent.
  std::uint64_t key_delivery_delay_ms = 0;

  // Lets virtual time pass, running due timers and outside events.
  void Advance(std::uint64_t ms);
  // Advances until no timer is armed and nothing is scheduled (or the limit).
  void RunUntilIdle(std::uint64_t limit_ms = 60000);
  bool TimerArmed(int id) const { return timers_.count(id) != 0; }

  // ---- what happened ----
  std::vector<KeyEvent> sent_keys;
  std::vector<std::pair<WindowHandle, ClipboardMessage>> sent_messages;
  std::vector<std::string> message_boxes;  // wide ones converted to code page 932
  std::vector<WideText> wide_message_boxes;
  int beeps = 0;
  // One line per observable step, in order: "key 11 down", "beep",
  // "message", "clip set", "sleep 50", "WM 302".
  std::vector<std::string> log;
  int clipboard_open_failures = 0;
  std::optional<WideText> clipboard_text;             // nullopt: no text format
  std::vector<SimClipboardFormat> clipboard_formats;  // beside the text, in order
  // Offered text that no reader has asked for yet.
  bool OfferUnrendered() const { return offer_unrendered_; }

  // ---- Clipboard ----
  ClipboardWrite SetClipboardText(std::u16string_view text) override;
  ClipboardWrite OfferClipboardText(std::u16string_view text) override;
  bool OfferTaken() override { return offer_renderer_.has_value(); }
  std::optional<ProcessId> OfferRenderer() override { return offer_renderer_; }
  std::uint32_t ClipboardSequence() override { return clipboard_sequence_; }
  void SetClipboardObserver(std::function<void()> observer) override { observer_ = std::move(observer); }
  std::optional<WideText> GetClipboardText() override;
  bool ClipboardHasText() override;
  bool ClipboardHeldOpen() override;
  std::optional<ClipboardContents> SaveClipboard(std::size_t byte_limit, unsigned bound_ms) override;
  ClipboardRestore RestoreClipboard(const ClipboardContents& contents, std::uint32_t expected_sequence) override;

  // ---- Keyboard ----
  void SendKeyEvent(const KeyEvent& event) override;
  std::uint8_t ScanCodeOf(std::uint8_t virtual_key) override;
  bool IsKeyDown(std::uint8_t virtual_key) override;

  // ---- WindowSystem ----
  std::vector<WindowHandle> TopLevelWindows() override;
  bool WindowExists(WindowHandle window) override;
  std::string WindowClassName(WindowHandle window) override;
  std::string WindowTitle(WindowHandle window) override;
  WideText WindowTitleWide(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  bool IsWindowEnabled(WindowHandle window) override;
  bool IsWindowMinimised(WindowHandle window) override;
  bool IsWindowMaximised(WindowHandle window) override;
  WindowHandle OwnerOf(WindowHandle window) override;
  ProcessId ProcessOf(WindowHandle window) override;
  ThreadId ThreadOf(WindowHandle window) override;
  ThreadId CurrentThread() override { return kOwnThread; }
  Rect WindowRect(WindowHandle window) override;
  Rect ClientRect(WindowHandle window) override;
  Rect DescendantRect(WindowHandle window, const std::string& class_name) override;
  bool AttachInput(ThreadId from, ThreadId to, bool attach) override;
  bool BringToTop(WindowHandle window) override;
  WindowHandle ForegroundWindow() override { return foreground_; }
  bool SetForeground(WindowHandle window) override;
  WindowHandle FocusWindow() override;
  bool CaretScreenPosition(Point& position) override;
  void SendClipboardMessage(WindowHandle window, ClipboardMessage message) override;
  // Threads our thread is attached to right now.
  const std::set<ThreadId>& attached_threads() const { return attached_; }

  // ---- Timers ----
  void StartTimer(int id, unsigned interval_ms, std::function<void()> tick) override;
  void StopTimer(int id) override;
  void ProcessPendingMessages() override;
  void Sleep(unsigned ms) override;
  void Wait(unsigned ms) override;
  std::uint64_t NowMs() override { return now_; }

  // ---- Feedback ----
  void Beep() override;
  void ShowMessage(const std::string& text, MessageIcon icon) override;
  void ShowWideMessage(const WideText& text, MessageIcon icon) override;

  // ---- TextCodec (real code page 932 tables) ----
  WideText SjisToWide(std::string_view sjis) override;
  std::string WideToSjis(std::u16string_view wide) override;

 private:
  friend class SimEditor;
  struct Timer {
    std::uint64_t due;
    std::function<void()> tick;
  };
  bool ClipboardOpenable() const;
  // The text as a reader in `process` gets it, rendering an offer first.
  const std::optional<WideText>& RenderedText(ProcessId process);
  void ReaderRead(const SimClipboardReader& reader);
  bool Excluded() const;
  void NotifyObserver();
  std::uint32_t FormatId(const std::string& name);
  void DeliverKey(const KeyEvent& event);
  void RunDueOutsideEvents();
  bool RunPosted();
  bool RunOneDueTimer();
  std::optional<std::uint64_t> NextDue(bool timers_too) const;
  SimWindow* Find(WindowHandle handle);
  // A field of a window; the type's empty value for no such window.
  template <typename T>
  T Field(WindowHandle handle, T SimWindow::*field) {
    const SimWindow* w = Find(handle);
    return w ? w->*field : T{};
  }

  std::vector<SimWindow> windows_;  // stacking order, top first
  std::map<WindowHandle, std::unique_ptr<SimEditor>> editors_;
  std::map<WindowHandle, WindowHandle> editor_parent_;
  WindowHandle next_handle_ = 0x100;
  WindowHandle foreground_ = kNoWindow;
  std::set<ThreadId> attached_;
  std::set<std::uint8_t> keys_down_;
  std::uint64_t now_ = 0;
  std::uint64_t clipboard_held_until_ = 0;
  bool clipboard_held_with_window_ = true;
  std::uint32_t clipboard_sequence_ = 1;
  bool offer_unrendered_ = false;
  std::optional<ProcessId> offer_renderer_;
  std::vector<SimClipboardReader> readers_;
  bool program_ended_ = false;
  std::function<void()> observer_;
  bool observer_call_posted_ = false;
  std::map<std::string, std::uint32_t> format_ids_;
  std::map<int, Timer> timers_;
  std::multimap<std::uint64_t, std::function<void()>> outside_;  // FIFO per time
};

}  // namespace tagsling::platform::sim
