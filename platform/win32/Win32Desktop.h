#pragma once
// The platform interfaces carried out with the wide-character Win32 API.
// Strings cross the boundary through code page 932 explicitly, so the
// program behaves the same on a Windows whose ANSI code page is not 932;
// the clipboard carries CF_UNICODETEXT.
//
// Create it on the user-interface thread: it owns a hidden message-only
// window whose WM_TIMER messages drive the one-shot timers. That window owns
// the clipboard: it renders offered text on WM_RENDERFORMAT, renders what is
// still offered on WM_RENDERALLFORMATS when it is destroyed (so keep this
// object until the program's end), and listens for clipboard changes
// (WM_CLIPBOARDUPDATE) to wake the clipboard observer.

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace tagsling::platform::win32 {

class Win32Desktop final : public Clipboard,
                           public Keyboard,
                           public WindowSystem,
                           public Timers,
                           public Feedback,
                           public TextCodec {
 public:
  Win32Desktop();
  ~Win32Desktop() override;
  Win32Desktop(const Win32Desktop&) = delete;
  Win32Desktop& operator=(const Win32Desktop&) = delete;

  Platform platform() { return {*this, *this, *this, *this, *this, *this}; }

  // The program's application window: the owner of our message boxes while
  // no message-box owner is set (or it has gone).
  void SetOwnerWindow(WindowHandle owner) { owner_ = owner; }
  // The window that owns our message boxes (the program's main window, so
  // that it is disabled while a box is open and no box opens behind it).
  // kNoWindow: the application window.
  void SetMessageBoxOwner(WindowHandle owner) { box_owner_ = owner; }

  // Called with the text of anything a timer tick let escape; by default a
  // message box.
  void ReportTickFailure(const std::string& sjis_text);

  // The hidden window's WM_TIMER: disarms the timer and runs its tick.
  void OnTimer(int id);
  // The hidden window's messages (win/Window.h).
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // Clipboard
  ClipboardWrite SetClipboardText(std::u16string_view text) override;
  ClipboardWrite OfferClipboardText(std::u16string_view text) override;
  bool OfferTaken() override { return offer_renderer_.has_value(); }
  std::optional<ProcessId> OfferRenderer() override { return offer_renderer_; }
  std::uint32_t ClipboardSequence() override;
  void SetClipboardObserver(std::function<void()> observer) override { observer_ = std::move(observer); }
  std::optional<WideText> GetClipboardText() override;
  bool ClipboardHasText() override;
  bool ClipboardHeldOpen() override;
  std::optional<ClipboardContents> SaveClipboard(std::size_t byte_limit, unsigned bound_ms) override;
  ClipboardRestore RestoreClipboard(const ClipboardContents& contents, std::uint32_t expected_sequence) override;

  // Keyboard
  void SendKeyEvent(const KeyEvent& event) override;
  std::uint8_t ScanCodeOf(std::uint8_t virtual_key) override;
  bool IsKeyDown(std::uint8_t virtual_key) override;

  // WindowSystem
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
  ThreadId CurrentThread() override;
  Rect WindowRect(WindowHandle window) override;
  Rect ClientRect(WindowHandle window) override;
  Rect DescendantRect(WindowHandle window, const std::string& class_name) override;
  bool AttachInput(ThreadId from, ThreadId to, bool attach) override;
  bool BringToTop(WindowHandle window) override;
  WindowHandle ForegroundWindow() override;
  bool SetForeground(WindowHandle window) override;
  WindowHandle FocusWindow() override;
  bool CaretScreenPosition(Point& position) override;
  void SendClipboardMessage(WindowHandle window, ClipboardMessage message) override;

  // Timers
  void StartTimer(int id, unsigned interval_ms, std::function<void()> tick) override;
  void StopTimer(int id) override;
  void ProcessPendingMessages() override;
  void Sleep(unsigned ms) override;
  void Wait(unsigned ms) override;
  std::uint64_t NowMs() override;

  // Feedback
  void Beep() override;
  void ShowMessage(const std::string& text, MessageIcon icon) override;
  void ShowWideMessage(const WideText& text, MessageIcon icon) override;

  // TextCodec
  WideText SjisToWide(std::string_view sjis) override;
  std::string WideToSjis(std::u16string_view wide) override;

 private:
  // The hidden window's clipboard messages.
  void OnRenderFormat(unsigned format);
  void OnRenderAllFormats();
  void NotifyClipboardObserver();
  // Puts the offered text on the open clipboard (inside WM_RENDERFORMAT or
  // WM_RENDERALLFORMATS).
  void RenderOffer();
  void CountOwnChange();
  void PostWake();

  WindowHandle hidden_ = kNoWindow;
  WindowHandle owner_ = kNoWindow;
  WindowHandle box_owner_ = kNoWindow;
  std::map<int, std::function<void()>> ticks_;
  // The text of the latest offer while the clipboard still announces it
  // unrendered.
  std::optional<std::wstring> offer_;
  std::optional<ProcessId> offer_renderer_;
  // How far renders of our offers advanced the system's sequence number, and
  // the system's number when we last looked.
  std::uint32_t render_steps_ = 0;
  std::uint32_t seen_sequence_ = GetClipboardSequenceNumber();
  std::function<void()> observer_;
  bool wake_posted_ = false;
};

}  // namespace tagsling::platform::win32
