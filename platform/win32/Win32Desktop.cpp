#include <windows.h>

#include "platform/win32/Win32Desktop.h"

#include "win/MessagePump.h"
#include "win/WinText.h"
#include "win/Window.h"

#include <algorithm>
#include <cwchar>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tagsling::platform::win32 {

namespace {

constexpr wchar_t kHiddenClass[] = L"TagslingPlatformWindow";
// Posted to the hidden window after a render: the observer runs from the
// message loop, never inside WM_RENDERFORMAT (the requester holds the
// clipboard open then).
constexpr UINT kClipboardWake = WM_APP + 1;

HWND H(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
WindowHandle W(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

std::wstring ToW(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
WideText FromW(std::wstring_view text) { return WideText(text.begin(), text.end()); }

// A movable global block holding `text` and its terminating zero.
HGLOBAL GlobalText(std::wstring_view text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (!memory) return nullptr;
  auto* data = static_cast<wchar_t*>(GlobalLock(memory));
  if (!data) {
    GlobalFree(memory);
    return nullptr;
  }
  std::copy(text.begin(), text.end(), data);
  data[text.size()] = L'\0';
  GlobalUnlock(memory);
  return memory;
}

// How a clipboard format's data can be kept.
enum class FormatKind { kMemory, kBitmap, kEnhMetafile, kPalette, kMetafilePicture, kNotCopyable };

FormatKind KindOf(UINT format) {
  switch (format) {
    case CF_BITMAP:
    case CF_DSPBITMAP:
      return FormatKind::kBitmap;
    case CF_ENHMETAFILE:
    case CF_DSPENHMETAFILE:
      return FormatKind::kEnhMetafile;
    case CF_PALETTE:
      return FormatKind::kPalette;
    case CF_METAFILEPICT:
    case CF_DSPMETAFILEPICT:
      return FormatKind::kMetafilePicture;
    case CF_OWNERDISPLAY:
      return FormatKind::kNotCopyable;
    default:
      // Private and GDI-object formats hold handles whose meaning only their
      // owner knows.
      if (format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST) return FormatKind::kNotCopyable;
      return FormatKind::kMemory;
  }
}

std::wstring FormatName(UINT format) {
  static const std::map<UINT, const wchar_t*> kStandard = {
      {CF_TEXT, L"CF_TEXT"},
      {CF_BITMAP, L"CF_BITMAP"},
      {CF_METAFILEPICT, L"CF_METAFILEPICT"},
      {CF_SYLK, L"CF_SYLK"},
      {CF_DIF, L"CF_DIF"},
      {CF_TIFF, L"CF_TIFF"},
      {CF_OEMTEXT, L"CF_OEMTEXT"},
      {CF_DIB, L"CF_DIB"},
      {CF_PALETTE, L"CF_PALETTE"},
      {CF_PENDATA, L"CF_PENDATA"},
      {CF_RIFF, L"CF_RIFF"},
      {CF_WAVE, L"CF_WAVE"},
      {CF_UNICODETEXT, L"CF_UNICODETEXT"},
      {CF_ENHMETAFILE, L"CF_ENHMETAFILE"},
      {CF_HDROP, L"CF_HDROP"},
      {CF_LOCALE, L"CF_LOCALE"},
      {CF_DIBV5, L"CF_DIBV5"},
      {CF_OWNERDISPLAY, L"CF_OWNERDISPLAY"},
      {CF_DSPTEXT, L"CF_DSPTEXT"},
      {CF_DSPBITMAP, L"CF_DSPBITMAP"},
      {CF_DSPMETAFILEPICT, L"CF_DSPMETAFILEPICT"},
      {CF_DSPENHMETAFILE, L"CF_DSPENHMETAFILE"},
  };
  if (auto it = kStandard.find(format); it != kStandard.end()) return it->second;
  wchar_t name[256] = L"";
  if (int length = GetClipboardFormatNameW(format, name, 256); length > 0) return std::wstring(name, length);
  wchar_t number[32];
  swprintf(number, 32, L"0x%04X", format);
  return number;
}

HPALETTE CopyPalette(HPALETTE palette) {
  const UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
  if (count == 0) return nullptr;
  std::vector<unsigned char> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(buffer.data());
  log->palVersion = 0x300;
  log->palNumEntries = static_cast<WORD>(count);
  GetPaletteEntries(palette, 0, count, log->palPalEntry);
  return CreatePalette(log);
}

// A copy of handle-format data that the clipboard may own; null on failure.
HANDLE CopyHandle(FormatKind kind, HANDLE data) {
  switch (kind) {
    case FormatKind::kBitmap:
      return CopyImage(data, IMAGE_BITMAP, 0, 0, 0);
    case FormatKind::kEnhMetafile:
      return CopyEnhMetaFileW(static_cast<HENHMETAFILE>(data), nullptr);
    case FormatKind::kPalette:
      return CopyPalette(static_cast<HPALETTE>(data));
    default:
      return nullptr;
  }
}

void DeleteHandle(FormatKind kind, HANDLE data) {
  if (!data) return;
  if (kind == FormatKind::kEnhMetafile) {
    DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
  } else {
    DeleteObject(data);
  }
}

// The bytes a handle format's data takes, for the limit of a save.
std::size_t HandleBytes(FormatKind kind, HANDLE data) {
  switch (kind) {
    case FormatKind::kBitmap: {
      BITMAP bitmap{};
      if (!GetObjectW(data, sizeof bitmap, &bitmap)) return 0;
      return static_cast<std::size_t>(bitmap.bmWidthBytes) * static_cast<std::size_t>(bitmap.bmHeight);
    }
    case FormatKind::kEnhMetafile:
      return GetEnhMetaFileBits(static_cast<HENHMETAFILE>(data), 0, nullptr);
    case FormatKind::kPalette:
      return GetPaletteEntries(static_cast<HPALETTE>(data), 0, 0, nullptr) * sizeof(PALETTEENTRY);
    default:
      return 0;
  }
}

// A memory block holding `bytes`; null when none can be had.
HGLOBAL GlobalBytes(const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::max<std::size_t>(size, 1));
  if (!memory) return nullptr;
  void* data = GlobalLock(memory);
  if (!data) {
    GlobalFree(memory);
    return nullptr;
  }
  std::copy_n(static_cast<const unsigned char*>(bytes), size, static_cast<unsigned char*>(data));
  GlobalUnlock(memory);
  return memory;
}

UINT RegisteredFormat(std::string_view name) {
  return RegisterClipboardFormatW(std::wstring(name.begin(), name.end()).c_str());
}

// Puts the formats that keep an offer out of clipboard history, the cloud
// clipboard and polite clipboard monitors on the open clipboard.
void MarkTransient() {
  const DWORD no = 0;
  for (std::string_view name : {kExcludeFromMonitorFormat, kClipboardHistoryFormat, kCloudClipboardFormat}) {
    if (HGLOBAL memory = GlobalBytes(&no, sizeof no)) {
      if (!SetClipboardData(RegisteredFormat(name), memory)) GlobalFree(memory);
    }
  }
}

// The groups of formats the system converts into each other: of each, only
// the first the clipboard lists (the one the owner put there) is kept; the
// system makes the others from it again.
int SynthesisGroup(UINT format) {
  switch (format) {
    case CF_UNICODETEXT:
    case CF_TEXT:
    case CF_OEMTEXT:
      return 1;
    case CF_DIB:
    case CF_DIBV5:
    case CF_BITMAP:
      return 2;
    default:
      return 0;
  }
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lparam) {
  reinterpret_cast<std::vector<WindowHandle>*>(lparam)->push_back(W(hwnd));
  return TRUE;
}

}  // namespace

Win32Desktop::Win32Desktop()
    : hidden_(W(win::CreateOwnedWindow({.name = kHiddenClass}, {.parent = HWND_MESSAGE}, this))) {
  if (hidden_) AddClipboardFormatListener(H(hidden_));
}

Win32Desktop::~Win32Desktop() {
  observer_ = nullptr;
  if (hidden_) {
    for (const auto& [id, tick] : ticks_) KillTimer(H(hidden_), static_cast<UINT_PTR>(id));
    RemoveClipboardFormatListener(H(hidden_));
    // Destroying the clipboard's owner sends WM_RENDERALLFORMATS: text still
    // offered is rendered for good here, so the user can paste it later.
    DestroyWindow(H(hidden_));
  }
}

LRESULT Win32Desktop::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      OnTimer(static_cast<int>(wparam));
      return 0;
    case WM_RENDERFORMAT:
      OnRenderFormat(static_cast<unsigned>(wparam));
      return 0;
    case WM_RENDERALLFORMATS:
      OnRenderAllFormats();
      return 0;
    case WM_DESTROYCLIPBOARD:
      offer_.reset();
      return 0;
    case WM_CLIPBOARDUPDATE:
    case kClipboardWake:
      NotifyClipboardObserver();
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

void Win32Desktop::ReportTickFailure(const std::string& sjis_text) { ShowMessage(sjis_text, MessageIcon::kError); }

// ---------------------------------------------------------------- clipboard

ClipboardWrite Win32Desktop::SetClipboardText(std::u16string_view text) {
  ClipboardSequence();  // renders up to now are not changes
  if (!OpenClipboard(H(hidden_))) return ClipboardWrite::kBusy;
  bool stored = false;
  if (EmptyClipboard()) {
    if (HGLOBAL memory = GlobalText(ToW(text))) {
      stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
      if (!stored) GlobalFree(memory);  // the clipboard did not take it
    }
  }
  CloseClipboard();
  CountOwnChange();
  // Opened but not stored: the caller must not paste whatever is there now.
  return stored ? ClipboardWrite::kStored : ClipboardWrite::kNotStored;
}

ClipboardWrite Win32Desktop::OfferClipboardText(std::u16string_view text) {
  ClipboardSequence();  // renders up to now are not changes
  if (!OpenClipboard(H(hidden_))) return ClipboardWrite::kBusy;
  bool stored = false;
  // Emptying sends WM_DESTROYCLIPBOARD for an earlier offer of ours first.
  if (EmptyClipboard()) {
    offer_ = ToW(text);
    offer_renderer_.reset();
    // The marks first: a reader that looks while the clipboard is still
    // being filled never sees the text without them.
    MarkTransient();
    SetClipboardData(CF_UNICODETEXT, nullptr);  // returns null on success too
    stored = IsClipboardFormatAvailable(CF_UNICODETEXT);
    if (!stored) offer_.reset();
  }
  CloseClipboard();
  CountOwnChange();
  return stored ? ClipboardWrite::kStored : ClipboardWrite::kNotStored;
}

void Win32Desktop::RenderOffer() {
  if (!offer_) return;
  if (HGLOBAL memory = GlobalText(*offer_)) {
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
  }
  offer_.reset();
}

void Win32Desktop::OnRenderFormat(unsigned format) {
  if (format != CF_UNICODETEXT || !offer_) return;
  // The requester has the clipboard open: only SetClipboardData here. Its
  // window tells whose request this is.
  DWORD process = 0;
  if (HWND requester = GetOpenClipboardWindow()) GetWindowThreadProcessId(requester, &process);
  RenderOffer();
  offer_renderer_ = process;
  PostWake();
}

void Win32Desktop::OnRenderAllFormats() {
  if (!offer_ || !OpenClipboard(H(hidden_))) return;
  if (GetClipboardOwner() == H(hidden_)) RenderOffer();
  CloseClipboard();
}

void Win32Desktop::PostWake() {
  if (wake_posted_) return;
  wake_posted_ = PostMessageW(H(hidden_), kClipboardWake, 0, 0);
}

void Win32Desktop::NotifyClipboardObserver() {
  wake_posted_ = false;
  if (!observer_) return;
  std::function<void()> observer = observer_;  // it may replace itself
  try {
    observer();
  } catch (const std::exception& e) {
    ReportTickFailure(e.what());
  } catch (...) {
    ReportTickFailure("error");
  }
}

std::uint32_t Win32Desktop::ClipboardSequence() {
  // A render of our offer moves the system's number (Wine counts it when
  // the reader closes the clipboard, long after our render). While the
  // clipboard is still ours, every step since we last looked was a render.
  const DWORD system = GetClipboardSequenceNumber();
  if (GetClipboardOwner() == H(hidden_)) render_steps_ += system - seen_sequence_;
  seen_sequence_ = system;
  return system - render_steps_;
}

void Win32Desktop::CountOwnChange() {
  // What our own write changed is a change: look again only after it.
  seen_sequence_ = GetClipboardSequenceNumber();
}

namespace {

// Copies the open clipboard (see SaveClipboard). Runs on a thread of its own.
ClipboardContents CopyOpenClipboard(std::size_t byte_limit) {
  ClipboardContents contents;
  std::size_t total = 0;
  const bool has_enhanced_metafile = IsClipboardFormatAvailable(CF_ENHMETAFILE);
  const UINT transient[] = {RegisteredFormat(kExcludeFromMonitorFormat), RegisteredFormat(kClipboardHistoryFormat),
                            RegisteredFormat(kCloudClipboardFormat)};
  bool group_seen[3] = {};
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    const FormatKind kind = KindOf(format);
    // The system makes the old-style metafile picture from the enhanced
    // metafile again when that comes back.
    if (kind == FormatKind::kMetafilePicture && has_enhanced_metafile) continue;
    if (std::find(std::begin(transient), std::end(transient), format) != std::end(transient)) continue;
    if (const int group = SynthesisGroup(format)) {
      if (group_seen[group]) continue;
      group_seen[group] = true;
    } else if (format == CF_LOCALE && group_seen[1]) {
      continue;  // synthesised beside the text
    }
    SavedClipboardFormat saved;
    saved.id = format;
    saved.name = win::WideToSjis(FormatName(format));
    HANDLE data =
        kind == FormatKind::kNotCopyable || kind == FormatKind::kMetafilePicture ? nullptr : GetClipboardData(format);
    bool kept = false;
    if (data && kind == FormatKind::kMemory) {
      const std::size_t size = GlobalSize(data);
      if (size <= byte_limit - total) {
        if (const auto* bytes = static_cast<const unsigned char*>(GlobalLock(data))) {
          saved.bytes.assign(bytes, bytes + size);
          GlobalUnlock(data);
          total += size;
          kept = true;
        }
      }
    } else if (data) {
      const std::size_t size = HandleBytes(kind, data);
      if (size <= byte_limit - total) {
        if (HANDLE copy = CopyHandle(kind, data)) {
          saved.handle = std::shared_ptr<void>(copy, [kind](void* handle) { DeleteHandle(kind, handle); });
          total += size;
          kept = true;
        }
      }
    }
    if (kept) {
      contents.formats.push_back(std::move(saved));
    } else {
      contents.not_kept.push_back(std::move(saved.name));
    }
  }
  return contents;
}

// What the save thread hands back; shared, so a thread that outlives its
// bound writes into something that still exists.
struct SaveState {
  std::mutex mutex;
  bool done = false;
  std::optional<ClipboardContents> contents;
  HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ~SaveState() {
    if (finished) CloseHandle(finished);
  }
};

}  // namespace

std::optional<ClipboardContents> Win32Desktop::SaveClipboard(std::size_t byte_limit, unsigned bound_ms) {
  // Asking for another program's delayed data makes it render (Office does
  // so at length; a hung one never returns), so the copy runs on a thread of
  // its own while this one keeps answering messages, our own renders among
  // them.
  auto state = std::make_shared<SaveState>();
  if (!state->finished) return std::nullopt;
  try {
    std::thread([state, byte_limit] {
      std::optional<ClipboardContents> contents;
      if (OpenClipboard(nullptr)) {
        contents = CopyOpenClipboard(byte_limit);
        CloseClipboard();
      }
      std::lock_guard lock(state->mutex);
      state->contents = std::move(contents);
      state->done = true;
      SetEvent(state->finished);
    }).detach();
  } catch (const std::exception&) {
    return std::nullopt;
  }
  const std::uint64_t deadline = NowMs() + bound_ms;
  for (std::uint64_t now = NowMs(); now < deadline; now = NowMs()) {
    if (MsgWaitForMultipleObjects(1, &state->finished, FALSE, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE) ==
        WAIT_OBJECT_0)
      break;
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // answers sent messages
  }
  std::lock_guard lock(state->mutex);
  if (!state->done) {
    ClipboardContents timed_out;
    timed_out.timed_out = true;
    return timed_out;
  }
  return std::move(state->contents);
}

ClipboardRestore Win32Desktop::RestoreClipboard(const ClipboardContents& contents, std::uint32_t expected_sequence) {
  ClipboardSequence();  // renders up to now are not changes
  if (!OpenClipboard(H(hidden_))) return ClipboardRestore::kBusy;
  if (ClipboardSequence() != expected_sequence) {
    CloseClipboard();
    return ClipboardRestore::kChanged;
  }
  const bool emptied = EmptyClipboard();
  bool complete = emptied;
  for (std::size_t i = 0; emptied && i < contents.formats.size(); ++i) {
    const SavedClipboardFormat& format = contents.formats[i];
    const FormatKind kind = KindOf(format.id);
    HANDLE data = nullptr;
    if (format.handle) {
      data = CopyHandle(kind, format.handle.get());
    } else {
      data = GlobalBytes(format.bytes.data(), format.bytes.size());
    }
    if (data && SetClipboardData(format.id, data)) continue;
    // Not taken: still ours to free. The other formats still go back.
    if (format.handle) {
      DeleteHandle(kind, data);
    } else if (data) {
      GlobalFree(data);
    }
    complete = false;
  }
  CloseClipboard();
  CountOwnChange();
  return complete ? ClipboardRestore::kRestored : ClipboardRestore::kFailed;
}

std::optional<WideText> Win32Desktop::GetClipboardText() {
  if (!OpenClipboard(H(hidden_))) return std::nullopt;
  WideText text;
  if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* data = static_cast<const wchar_t*>(GlobalLock(memory))) {
      // Never read past the block, whether or not it holds a terminator.
      const std::size_t limit = GlobalSize(memory) / sizeof(wchar_t);
      text = FromW(std::wstring_view(data, wcsnlen(data, limit)));
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return text;
}

bool Win32Desktop::ClipboardHasText() {
  return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

bool Win32Desktop::ClipboardHeldOpen() { return GetOpenClipboardWindow() != nullptr; }

// ----------------------------------------------------------------- keyboard

void Win32Desktop::SendKeyEvent(const KeyEvent& event) {
  keybd_event(event.vk, event.scan, event.up ? KEYEVENTF_KEYUP : 0, 0);
}

std::uint8_t Win32Desktop::ScanCodeOf(std::uint8_t virtual_key) {
  return static_cast<std::uint8_t>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
}

bool Win32Desktop::IsKeyDown(std::uint8_t virtual_key) {
  return (static_cast<unsigned short>(GetAsyncKeyState(virtual_key)) & 0x8000) != 0;
}

// ------------------------------------------------------------------ windows

std::vector<WindowHandle> Win32Desktop::TopLevelWindows() {
  std::vector<WindowHandle> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Win32Desktop::WindowExists(WindowHandle window) { return window != kNoWindow && ::IsWindow(H(window)); }

std::string Win32Desktop::WindowClassName(WindowHandle window) {
  wchar_t buffer[256];
  int length = GetClassNameW(H(window), buffer, 256);
  return WideToSjis(FromW(std::wstring_view(buffer, length > 0 ? static_cast<std::size_t>(length) : 0)));
}

std::string Win32Desktop::WindowTitle(WindowHandle window) { return WideToSjis(WindowTitleWide(window)); }

WideText Win32Desktop::WindowTitleWide(WindowHandle window) {
  int length = GetWindowTextLengthW(H(window));
  if (length <= 0) return {};
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  length = GetWindowTextW(H(window), buffer.data(), length + 1);
  buffer.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return FromW(buffer);
}

bool Win32Desktop::IsWindowVisible(WindowHandle window) { return ::IsWindowVisible(H(window)); }
bool Win32Desktop::IsWindowEnabled(WindowHandle window) { return ::IsWindowEnabled(H(window)); }
bool Win32Desktop::IsWindowMinimised(WindowHandle window) { return IsIconic(H(window)); }
bool Win32Desktop::IsWindowMaximised(WindowHandle window) { return IsZoomed(H(window)); }
WindowHandle Win32Desktop::OwnerOf(WindowHandle window) { return W(GetWindow(H(window), GW_OWNER)); }

ProcessId Win32Desktop::ProcessOf(WindowHandle window) {
  DWORD process = 0;
  if (window) GetWindowThreadProcessId(H(window), &process);
  return process;
}

ThreadId Win32Desktop::ThreadOf(WindowHandle window) {
  return window ? GetWindowThreadProcessId(H(window), nullptr) : 0;
}

ThreadId Win32Desktop::CurrentThread() { return GetCurrentThreadId(); }

Rect Win32Desktop::WindowRect(WindowHandle window) {
  RECT r = {};
  GetWindowRect(H(window), &r);
  return {r.left, r.top, r.right, r.bottom};
}

Rect Win32Desktop::ClientRect(WindowHandle window) {
  RECT r = {};
  if (!window || !GetClientRect(H(window), &r)) return {};
  // MapWindowPoints maps both corners, left to right also in mirrored layouts.
  MapWindowPoints(H(window), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

Rect Win32Desktop::DescendantRect(WindowHandle window, const std::string& class_name) {
  struct Search {
    std::wstring wanted;
    HWND found = nullptr;
  } search{win::SjisToWide(class_name)};
  if (!window) return {};
  EnumChildWindows(
      H(window),
      [](HWND child, LPARAM data) -> BOOL {
        Search& s = *reinterpret_cast<Search*>(data);
        wchar_t name[256];
        int length = GetClassNameW(child, name, 256);
        if (length <= 0 || !::IsWindowVisible(child) || s.wanted != std::wstring_view(name, length)) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found ? WindowRect(W(search.found)) : Rect{};
}

bool Win32Desktop::AttachInput(ThreadId from, ThreadId to, bool attach) {
  return AttachThreadInput(from, to, attach ? TRUE : FALSE);
}

bool Win32Desktop::BringToTop(WindowHandle window) { return BringWindowToTop(H(window)); }
WindowHandle Win32Desktop::ForegroundWindow() { return W(GetForegroundWindow()); }

bool Win32Desktop::SetForeground(WindowHandle window) { return window != kNoWindow && SetForegroundWindow(H(window)); }

WindowHandle Win32Desktop::FocusWindow() { return W(GetFocus()); }

bool Win32Desktop::CaretScreenPosition(Point& position) {
  POINT p = {};
  HWND focus = GetFocus();
  if (!focus || !GetCaretPos(&p) || !ClientToScreen(focus, &p)) return false;
  position = {p.x, p.y};
  return true;
}

void Win32Desktop::SendClipboardMessage(WindowHandle window, ClipboardMessage message) {
  if (window == kNoWindow) return;
  // A hung editor must not hang the palette. Messages sent to this thread
  // (the editor asking for our offer) are answered while it waits.
  constexpr UINT kReplyMs = 2000;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(H(window), static_cast<UINT>(message), 0, 0, SMTO_NORMAL, kReplyMs, &result);
}

// ------------------------------------------------------------------- timers

void Win32Desktop::StartTimer(int id, unsigned interval_ms, std::function<void()> tick) {
  ticks_[id] = std::move(tick);
  SetTimer(H(hidden_), static_cast<UINT_PTR>(id), interval_ms, nullptr);
}

void Win32Desktop::StopTimer(int id) {
  KillTimer(H(hidden_), static_cast<UINT_PTR>(id));
  ticks_.erase(id);
}

void Win32Desktop::OnTimer(int id) {
  auto it = ticks_.find(id);
  KillTimer(H(hidden_), static_cast<UINT_PTR>(id));  // one-shot
  if (it == ticks_.end()) return;
  std::function<void()> tick = std::move(it->second);
  ticks_.erase(it);
  // Nothing may escape into the window procedure.
  try {
    tick();
  } catch (const std::exception& e) {
    ReportTickFailure(e.what());
  } catch (...) {
    ReportTickFailure("error");
  }
}

void Win32Desktop::ProcessPendingMessages() { win::PumpPendingMessages(); }

void Win32Desktop::Sleep(unsigned ms) { ::Sleep(ms); }

void Win32Desktop::Wait(unsigned ms) {
  const std::uint64_t deadline = NowMs() + ms;
  for (std::uint64_t now = NowMs(); now < deadline; now = NowMs()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // answers sent messages
  }
}
std::uint64_t Win32Desktop::NowMs() { return GetTickCount64(); }

// ----------------------------------------------------------------- feedback

void Win32Desktop::Beep() { MessageBeep(0); }

void Win32Desktop::ShowMessage(const std::string& text, MessageIcon icon) { ShowWideMessage(SjisToWide(text), icon); }

void Win32Desktop::ShowWideMessage(const WideText& text, MessageIcon icon) {
  UINT style = MB_OK;
  switch (icon) {
    case MessageIcon::kError:
      style |= MB_ICONERROR;
      break;
    case MessageIcon::kInformation:
      style |= MB_ICONINFORMATION;
      break;
    case MessageIcon::kWarning:
      style |= MB_ICONWARNING;
      break;
  }
  const WindowHandle owner = box_owner_ && ::IsWindow(H(box_owner_)) ? box_owner_ : owner_;
  MessageBoxW(H(owner), ToW(text).c_str(), L"Tagsling", style);
}

// -------------------------------------------------------------------- codec

WideText Win32Desktop::SjisToWide(std::string_view sjis) { return FromW(win::SjisToWide(sjis)); }

std::string Win32Desktop::WideToSjis(std::u16string_view wide) { return win::WideToSjis(ToW(wide)); }

}  // namespace tagsling::platform::win32
