#include "platform/sim/SimDesktop.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <stdexcept>

namespace tagsling::platform::sim {

namespace {

// The editor's own key bindings, written from what common editors accept
// (not taken from the program's tables, so the tests compare two sources).
struct Binding {
  bool shift;
  bool ctrl;
  bool alt;
  std::uint8_t key;
  EditorAction action;
};

constexpr std::array kBindings = {
    Binding{false, true, false, vk::kX, EditorAction::kCut},
    Binding{false, true, false, vk::kDelete, EditorAction::kCut},
    Binding{true, false, false, vk::kDelete, EditorAction::kCut},
    Binding{false, false, false, vk::kF7, EditorAction::kCut},
    Binding{true, true, false, vk::kDelete, EditorAction::kCut},
    Binding{false, true, false, vk::kC, EditorAction::kCopy},
    Binding{false, true, false, vk::kInsert, EditorAction::kCopy},
    Binding{true, false, false, vk::kF8, EditorAction::kCopy},
    Binding{true, false, true, vk::kDelete, EditorAction::kCopy},
    Binding{false, true, false, vk::kV, EditorAction::kPaste},
    Binding{true, false, false, vk::kInsert, EditorAction::kPaste},
    Binding{false, false, false, vk::kF9, EditorAction::kPaste},
    Binding{true, false, false, vk::kF9, EditorAction::kPaste},
    Binding{true, false, true, vk::kInsert, EditorAction::kPaste},
};

// Scan codes of a Japanese/US 106/101 keyboard, as MapVirtualKey reports them.
constexpr std::array<std::pair<std::uint8_t, std::uint8_t>, 13> kScanCodes = {{
    {vk::kShift, 0x2A},
    {vk::kControl, 0x1D},
    {vk::kAlt, 0x38},
    {vk::kEscape, 0x01},
    {vk::kLeft, 0x4B},
    {vk::kInsert, 0x52},
    {vk::kDelete, 0x53},
    {vk::kC, 0x2E},
    {vk::kV, 0x2F},
    {vk::kX, 0x2D},
    {vk::kF7, 0x41},
    {vk::kF8, 0x42},
    {vk::kF9, 0x43},
}};

bool IsModifier(std::uint8_t key) { return key == vk::kShift || key == vk::kControl || key == vk::kAlt; }

std::string Hex(unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%X", value);
  return buffer;
}

// One conversion descriptor per direction, opened on first use and reset
// before every conversion (opening one costs far more than a short text).
class IconvDescriptor {
 public:
  IconvDescriptor(const char* from, const char* to) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv lacks CP932");
  }
  ~IconvDescriptor() { iconv_close(cd_); }
  IconvDescriptor(const IconvDescriptor&) = delete;
  IconvDescriptor& operator=(const IconvDescriptor&) = delete;
  iconv_t Reset() {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    return cd_;
  }

 private:
  iconv_t cd_;
};

enum class Direction { kToWide, kToSjis };

// iconv between code page 932 and UTF-16LE; unconvertible input becomes '?'.
std::string Iconv(std::string_view input, Direction direction) {
  thread_local IconvDescriptor to_wide("CP932", "UTF-16LE");
  thread_local IconvDescriptor to_sjis("UTF-16LE", "CP932");
  iconv_t cd = direction == Direction::kToSjis ? to_sjis.Reset() : to_wide.Reset();
  const std::size_t unit = direction == Direction::kToSjis ? 1 : 2;  // bytes of one output '?'
  std::string out;
  std::string in_copy(input);
  char* in = in_copy.data();
  std::size_t in_left = in_copy.size();
  char buffer[1024];
  while (in_left > 0) {
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    std::size_t rc = iconv(cd, &in, &in_left, &out_ptr, &out_left);
    out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out.push_back('?');
      if (unit == 2) out.push_back('\0');  // UTF-16LE '?'
      std::size_t skip = std::min(in_left, unit == 2 ? std::size_t{1} : std::size_t{2});
      // A UTF-16 surrogate pair is skipped whole.
      if (unit == 1 && in_left >= 4) {
        unsigned hi = static_cast<unsigned char>(in[0]) | (static_cast<unsigned char>(in[1]) << 8);
        if (hi >= 0xD800 && hi <= 0xDBFF) skip = 4;
      }
      in += skip;
      in_left -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

}  // namespace

// ---------------------------------------------------------------- SimEditor

void SimEditor::SetText(std::u16string_view new_text) {
  text = new_text;
  anchor = caret = text.size();
}

void SimEditor::Select(std::size_t start, std::size_t end) {
  anchor = std::min(start, text.size());
  caret = std::min(end, text.size());
}

WideText SimEditor::SelectedText() const { return text.substr(SelectionStart(), SelectionEnd() - SelectionStart()); }

void SimEditor::OnKeyDown(std::uint8_t key, bool shift, bool ctrl, bool alt, SimDesktop& desk) {
  if (key == vk::kLeft) return Perform(EditorAction::kLeft, desk);
  if (key == vk::kEscape) return Perform(EditorAction::kEscape, desk);
  if (key == vk::kF8 && !shift && !ctrl && !alt) return Perform(f8_action, desk);
  for (const Binding& b : kBindings) {
    if (b.key == key && b.shift == shift && b.ctrl == ctrl && b.alt == alt) {
      return Perform(b.action, desk);
    }
  }
}

void SimEditor::Perform(EditorAction action, SimDesktop& desk) {
  actions.push_back(action);
  const std::size_t start = SelectionStart();
  const std::size_t end = SelectionEnd();
  switch (action) {
    case EditorAction::kCut:
    case EditorAction::kCopy:
      // Like the standard edit control: nothing selected, nothing happens.
      if (start == end) return;
      if (!desk.ClipboardOpenable()) {
        if (action == EditorAction::kCut && cut_deletes_when_clipboard_busy) {
          text.erase(start, end - start);
          anchor = caret = start;
        }
        return;
      }
      if (copies_without_text) {
        desk.SetClipboardNonText();
      } else {
        desk.ReplaceClipboard(SelectedText());
      }
      if (action == EditorAction::kCut) {
        text.erase(start, end - start);
        anchor = caret = start;
      }
      return;
    case EditorAction::kPaste:
      if (!paste_delay_ms) return;  // an editor that ignores the paste
      if (*paste_delay_ms == 0) return Paste(desk);
      // Looked up again when the time comes: the editor may have gone.
      for (const auto& [control, editor] : desk.editors_) {
        if (editor.get() != this) continue;
        desk.At(*paste_delay_ms, [&desk, handle = control] {
          auto it = desk.editors_.find(handle);
          if (it != desk.editors_.end()) it->second->Paste(desk);
        });
      }
      return;
    case EditorAction::kLeft:
      if (start != end) {
        anchor = caret = start;
      } else if (caret >= 2 && text.compare(caret - 2, 2, u"\r\n") == 0) {
        anchor = caret = caret - 2;  // a line break is one caret stop
      } else if (caret > 0) {
        anchor = caret = caret - 1;
      }
      return;
    case EditorAction::kEscape:
      return;
  }
}

void SimEditor::Paste(SimDesktop& desk) {
  if (!desk.ClipboardOpenable()) return;
  ProcessId process = 0;
  for (const auto& [control, editor] : desk.editors_) {
    if (editor.get() == this) process = desk.ProcessOf(desk.editor_parent_[control]);
  }
  const std::optional<WideText>& paste = desk.RenderedText(process);
  if (!paste) return;
  const std::size_t start = SelectionStart();
  text.replace(start, SelectionEnd() - start, *paste);
  anchor = caret = start + paste->size();
}

// --------------------------------------------------------------- SimDesktop

SimDesktop::SimDesktop() = default;
SimDesktop::~SimDesktop() = default;

WindowHandle SimDesktop::AddWindow(const std::string& class_name, ProcessId process, ThreadId thread) {
  SimWindow window;
  window.handle = next_handle_++;
  window.class_name = class_name;
  window.process = process;
  window.thread = thread;
  windows_.push_back(window);
  if (foreground_ == kNoWindow) foreground_ = window.handle;
  return window.handle;
}

WindowHandle SimDesktop::AddEditor(WindowHandle top) {
  WindowHandle control = next_handle_++;
  editors_[control] = std::make_unique<SimEditor>();
  editor_parent_[control] = top;
  Window(top).focus = control;
  return control;
}

SimWindow* SimDesktop::Find(WindowHandle handle) {
  for (SimWindow& w : windows_) {
    if (w.handle == handle) return &w;
  }
  return nullptr;
}

void SimDesktop::RemoveWindow(WindowHandle handle) {
  std::erase_if(windows_, [handle](const SimWindow& w) { return w.handle == handle; });
  for (auto it = editor_parent_.begin(); it != editor_parent_.end();) {
    if (it->second == handle) {
      editors_.erase(it->first);
      it = editor_parent_.erase(it);
    } else {
      ++it;
    }
  }
  if (foreground_ == handle) foreground_ = kNoWindow;
}

SimWindow& SimDesktop::Window(WindowHandle handle) {
  SimWindow* w = Find(handle);
  if (!w) throw std::logic_error("no such simulated window");
  return *w;
}

void SimDesktop::SetWideTitle(WindowHandle handle, std::u16string_view title) {
  SimWindow& w = Window(handle);
  w.wide_title = WideText(title);
  w.title = WideToSjis(title);
}

SimEditor& SimDesktop::Editor(WindowHandle control) {
  auto it = editors_.find(control);
  if (it == editors_.end()) throw std::logic_error("no such simulated editor");
  return *it->second;
}

WindowHandle SimDesktop::TopWindow() const { return windows_.empty() ? kNoWindow : windows_.front().handle; }

// ------------------------------------------------------------ outside world

void SimDesktop::At(std::uint64_t delay_ms, std::function<void()> action) {
  outside_.emplace(now_ + delay_ms, std::move(action));
}

void SimDesktop::PressKey(std::uint8_t virtual_key) { DeliverKey({virtual_key, ScanCodeOf(virtual_key), false}); }

void SimDesktop::ReleaseKey(std::uint8_t virtual_key) { DeliverKey({virtual_key, ScanCodeOf(virtual_key), true}); }

void SimDesktop::HoldClipboard(std::uint64_t ms, bool with_window) {
  clipboard_held_until_ = now_ + ms;
  clipboard_held_with_window_ = with_window;
}

void SimDesktop::ReplaceClipboard(std::optional<WideText> text, std::vector<SimClipboardFormat> formats) {
  clipboard_text = std::move(text);
  clipboard_formats = std::move(formats);
  // An offer nobody asked for is gone; one that was taken stays taken.
  offer_unrendered_ = false;
  ++clipboard_sequence_;
  NotifyObserver();
  for (const SimClipboardReader& reader : readers_) At(reader.delay_ms, [this, reader] { ReaderRead(reader); });
}

bool SimDesktop::Excluded() const {
  return std::any_of(clipboard_formats.begin(), clipboard_formats.end(),
                     [](const SimClipboardFormat& f) { return f.name == kExcludeFromMonitorFormat; });
}

void SimDesktop::ReaderRead(const SimClipboardReader& reader) {
  if (reader.polite && Excluded()) return;
  // Held by someone else: the reader tries again a moment later.
  if (!ClipboardOpenable()) return At(1, [this, reader] { ReaderRead(reader); });
  HoldClipboard(reader.hold_ms);
  const std::optional<WideText>& text = RenderedText(reader.process);
  reader_reads.push_back(text ? *text : WideText());
}

void SimDesktop::SetClipboardNonText() { ReplaceClipboard(std::nullopt, {{"Editor data", "\x01", true}}); }

WideText SimDesktop::ReadClipboardAsOtherProgram(ProcessId process) {
  const std::optional<WideText>& text = RenderedText(process);
  return text ? *text : WideText();
}

void SimDesktop::EndProgram(bool render_all) {
  if (offer_unrendered_ && render_all) {
    offer_unrendered_ = false;
    log.push_back("clip render all");
  }
  program_ended_ = true;
  observer_ = nullptr;
}

std::optional<std::uint64_t> SimDesktop::NextDue(bool timers_too) const {
  std::optional<std::uint64_t> next;
  if (!outside_.empty()) next = outside_.begin()->first;
  if (timers_too && observer_call_posted_) next = now_;
  if (timers_too) {
    for (const auto& [id, timer] : timers_) {
      if (!next || timer.due < *next) next = timer.due;
    }
  }
  return next;
}

void SimDesktop::RunDueOutsideEvents() {
  while (!outside_.empty() && outside_.begin()->first <= now_) {
    auto action = std::move(outside_.begin()->second);
    outside_.erase(outside_.begin());
    action();
  }
}

bool SimDesktop::RunPosted() {
  if (!observer_call_posted_) return false;
  observer_call_posted_ = false;
  if (observer_) {
    auto observer = observer_;  // the call may replace it
    observer();
  }
  return true;
}

bool SimDesktop::RunOneDueTimer() {
  auto due = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.due <= now_ && (due == timers_.end() || it->second.due < due->second.due)) due = it;
  }
  if (due == timers_.end()) return false;
  // One-shot: the timer is disarmed before its tick runs.
  auto tick = std::move(due->second.tick);
  timers_.erase(due);
  tick();
  return true;
}

void SimDesktop::Advance(std::uint64_t ms) {
  const std::uint64_t target = now_ + ms;
  for (;;) {
    RunDueOutsideEvents();
    if (RunPosted() || RunOneDueTimer()) continue;
    auto next = NextDue(true);
    if (!next || *next > target) break;
    now_ = std::max(now_, *next);
  }
  now_ = std::max(now_, target);
  RunDueOutsideEvents();
}

void SimDesktop::RunUntilIdle(std::uint64_t limit_ms) {
  const std::uint64_t limit = now_ + limit_ms;
  while (now_ < limit) {
    auto next = NextDue(true);
    if (!next) return;
    Advance(*next > now_ ? *next - now_ : 0);
    if (*next <= now_ && !NextDue(true)) return;
  }
}

// ---------------------------------------------------------------- clipboard

bool SimDesktop::ClipboardOpenable() const { return now_ >= clipboard_held_until_; }

void SimDesktop::NotifyObserver() {
  // Delivered from the message loop, like WM_CLIPBOARDUPDATE or a posted
  // message; several changes before it runs make one call.
  observer_call_posted_ = true;
}

const std::optional<WideText>& SimDesktop::RenderedText(ProcessId process) {
  if (offer_unrendered_) {
    if (program_ended_) {
      // Nobody is left to render it.
      clipboard_text = WideText();
    } else {
      offer_renderer_ = process;
      log.push_back("clip rendered");
      NotifyObserver();
    }
    offer_unrendered_ = false;
  }
  return clipboard_text;
}

std::uint32_t SimDesktop::FormatId(const std::string& name) {
  // Registered formats count up from 0xC000 in order of first use.
  auto [it, added] = format_ids_.emplace(name, 0xC000 + static_cast<std::uint32_t>(format_ids_.size()));
  return it->second;
}

ClipboardWrite SimDesktop::SetClipboardText(std::u16string_view text) {
  if (!ClipboardOpenable()) {
    ++clipboard_open_failures;
    log.push_back("clip busy");
    return ClipboardWrite::kBusy;
  }
  if (clipboard_store_fails) {
    ReplaceClipboard(std::nullopt);  // emptied before the store failed
    log.push_back("clip lost");
    return ClipboardWrite::kNotStored;
  }
  ReplaceClipboard(WideText(text));
  log.push_back("clip set");
  return ClipboardWrite::kStored;
}

ClipboardWrite SimDesktop::OfferClipboardText(std::u16string_view text) {
  if (!ClipboardOpenable()) {
    ++clipboard_open_failures;
    log.push_back("clip busy");
    return ClipboardWrite::kBusy;
  }
  if (clipboard_store_fails) {
    ReplaceClipboard(std::nullopt);
    log.push_back("clip lost");
    return ClipboardWrite::kNotStored;
  }
  const std::string no(4, '\0');
  ReplaceClipboard(WideText(text), {{std::string(kExcludeFromMonitorFormat), "", true},
                                    {std::string(kClipboardHistoryFormat), no, true},
                                    {std::string(kCloudClipboardFormat), no, true}});
  offer_unrendered_ = !program_ended_;
  offer_renderer_.reset();
  log.push_back("clip offer");
  return ClipboardWrite::kStored;
}

std::optional<WideText> SimDesktop::GetClipboardText() {
  if (!ClipboardOpenable()) {
    ++clipboard_open_failures;
    log.push_back("clip busy");
    return std::nullopt;
  }
  const std::optional<WideText>& text = RenderedText(kOwnProcess);
  if (!text) return WideText();
  return text->substr(0, text->find(u'\0'));
}

bool SimDesktop::ClipboardHasText() { return clipboard_text.has_value(); }

bool SimDesktop::ClipboardHeldOpen() { return !ClipboardOpenable() && clipboard_held_with_window_; }

std::optional<ClipboardContents> SimDesktop::SaveClipboard(std::size_t byte_limit, unsigned bound_ms) {
  if (!ClipboardOpenable()) {
    ++clipboard_open_failures;
    log.push_back("clip busy");
    return std::nullopt;
  }
  ClipboardContents contents;
  if (save_render_ms > bound_ms) {
    // The save goes on off the thread and keeps the clipboard open until the
    // owner has rendered.
    HoldClipboard(save_render_ms, /*with_window=*/false);
    now_ += bound_ms;
    RunDueOutsideEvents();
    log.push_back("clip save timed out");
    contents.timed_out = true;
    return contents;
  }
  std::size_t total = 0;
  auto keep = [&](std::uint32_t id, const std::string& name, const std::string& bytes) {
    if (bytes.size() > byte_limit - total) {
      contents.not_kept.push_back(name);
      return;
    }
    total += bytes.size();
    contents.formats.push_back({id, name, std::vector<unsigned char>(bytes.begin(), bytes.end()), nullptr});
  };
  if (const std::optional<WideText>& text = RenderedText(kOwnProcess)) {
    std::string bytes;
    for (char16_t c : *text) {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>(c >> 8));
    }
    keep(kUnicodeTextFormat, "CF_UNICODETEXT", bytes);
  }
  for (const SimClipboardFormat& format : clipboard_formats) {
    if (format.name == kExcludeFromMonitorFormat || format.name == kClipboardHistoryFormat ||
        format.name == kCloudClipboardFormat)
      continue;
    if (format.copyable) {
      keep(FormatId(format.name), format.name, format.data);
    } else {
      contents.not_kept.push_back(format.name);
    }
  }
  log.push_back("clip saved");
  return contents;
}

ClipboardRestore SimDesktop::RestoreClipboard(const ClipboardContents& contents, std::uint32_t expected_sequence) {
  if (!ClipboardOpenable()) {
    ++clipboard_open_failures;
    log.push_back("clip busy");
    return ClipboardRestore::kBusy;
  }
  if (clipboard_sequence_ != expected_sequence) {
    log.push_back("clip newer");
    return ClipboardRestore::kChanged;
  }
  if (clipboard_store_fails) {
    ReplaceClipboard(std::nullopt);
    log.push_back("clip lost");
    return ClipboardRestore::kFailed;
  }
  std::optional<WideText> text;
  std::vector<SimClipboardFormat> formats;
  for (const SavedClipboardFormat& format : contents.formats) {
    if (format.id == kUnicodeTextFormat) {
      WideText wide;
      for (std::size_t i = 0; i + 1 < format.bytes.size(); i += 2) {
        wide.push_back(static_cast<char16_t>(format.bytes[i] | (format.bytes[i + 1] << 8)));
      }
      text = std::move(wide);
    } else {
      formats.push_back({format.name, std::string(format.bytes.begin(), format.bytes.end()), true});
    }
  }
  ReplaceClipboard(std::move(text), std::move(formats));
  log.push_back("clip restored");
  return ClipboardRestore::kRestored;
}

// ----------------------------------------------------------------- keyboard

void SimDesktop::SendKeyEvent(const KeyEvent& event) {
  sent_keys.push_back(event);
  log.push_back("key " + Hex(event.vk) + (event.up ? " up" : " down"));
  if (key_delivery_delay_ms == 0) {
    DeliverKey(event);
  } else {
    At(key_delivery_delay_ms, [this, event] { DeliverKey(event); });
  }
}

void SimDesktop::DeliverKey(const KeyEvent& event) {
  if (event.up) {
    keys_down_.erase(event.vk);
  } else {
    keys_down_.insert(event.vk);
  }
  SimWindow* fg = Find(foreground_);
  if (!fg || fg->focus == kNoWindow) return;
  auto it = editors_.find(fg->focus);
  if (it == editors_.end()) return;
  SimEditor& editor = *it->second;
  if (IsModifier(event.vk)) {
    if (event.up) {
      editor.modifiers_down_.erase(event.vk);
    } else {
      editor.modifiers_down_.insert(event.vk);
    }
    return;
  }
  if (event.up) return;
  auto held = [&](std::uint8_t m) { return editor.modifiers_down_.count(m) != 0; };
  editor.OnKeyDown(event.vk, held(vk::kShift), held(vk::kControl), held(vk::kAlt), *this);
}

std::uint8_t SimDesktop::ScanCodeOf(std::uint8_t virtual_key) {
  for (const auto& [key, scan] : kScanCodes) {
    if (key == virtual_key) return scan;
  }
  return 0;
}

bool SimDesktop::IsKeyDown(std::uint8_t virtual_key) { return keys_down_.count(virtual_key) != 0; }

// ------------------------------------------------------------------ windows

std::vector<WindowHandle> SimDesktop::TopLevelWindows() {
  std::vector<WindowHandle> handles;
  for (const SimWindow& w : windows_) handles.push_back(w.handle);
  return handles;
}

bool SimDesktop::WindowExists(WindowHandle window) { return Find(window) || editors_.count(window) != 0; }

std::string SimDesktop::WindowClassName(WindowHandle window) { return Field(window, &SimWindow::class_name); }
std::string SimDesktop::WindowTitle(WindowHandle window) { return Field(window, &SimWindow::title); }
bool SimDesktop::IsWindowVisible(WindowHandle window) { return Field(window, &SimWindow::visible); }
bool SimDesktop::IsWindowEnabled(WindowHandle window) { return Field(window, &SimWindow::enabled); }
bool SimDesktop::IsWindowMinimised(WindowHandle window) { return Field(window, &SimWindow::minimised); }
bool SimDesktop::IsWindowMaximised(WindowHandle window) { return Field(window, &SimWindow::maximised); }
WindowHandle SimDesktop::OwnerOf(WindowHandle window) { return Field(window, &SimWindow::owner); }
ProcessId SimDesktop::ProcessOf(WindowHandle window) { return Field(window, &SimWindow::process); }
ThreadId SimDesktop::ThreadOf(WindowHandle window) { return Field(window, &SimWindow::thread); }
Rect SimDesktop::WindowRect(WindowHandle window) { return Field(window, &SimWindow::rect); }

WideText SimDesktop::WindowTitleWide(WindowHandle window) {
  const SimWindow* w = Find(window);
  if (!w) return {};
  return w->wide_title ? *w->wide_title : SjisToWide(w->title);
}

Rect SimDesktop::ClientRect(WindowHandle window) {
  const SimWindow* w = Find(window);
  if (!w) return {};
  return w->client == Rect{} ? w->rect : w->client;
}

Rect SimDesktop::DescendantRect(WindowHandle window, const std::string& class_name) {
  const SimWindow* w = Find(window);
  if (!w) return {};
  for (const auto& [child_class, rect] : w->descendants)
    if (child_class == class_name) return rect;
  return {};
}

bool SimDesktop::AttachInput(ThreadId from, ThreadId to, bool attach) {
  log.push_back(std::string(attach ? "attach " : "detach ") + std::to_string(from) + " " + std::to_string(to));
  // Like the real call: attaching a thread to itself or to nothing fails.
  if (from == to || from == 0 || to == 0) return false;
  ThreadId other = from == kOwnThread ? to : from;
  if (attach) {
    attached_.insert(other);
  } else {
    attached_.erase(other);
  }
  return true;
}

bool SimDesktop::BringToTop(WindowHandle window) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [&](const SimWindow& w) { return w.handle == window; });
  if (it == windows_.end()) return false;
  log.push_back("top " + it->class_name);
  std::rotate(windows_.begin(), it, it + 1);
  foreground_ = window;  // activation follows the bring-to-top
  return true;
}

bool SimDesktop::SetForeground(WindowHandle window) {
  if (!Find(window)) return false;
  log.push_back("foreground " + Window(window).class_name);
  foreground_ = window;
  return true;
}

WindowHandle SimDesktop::FocusWindow() {
  // The focus of our input state: an attached thread's focus when attached,
  // otherwise the focus of our own thread's top window.
  for (const SimWindow& w : windows_) {
    if (w.focus != kNoWindow && attached_.count(w.thread)) return w.focus;
  }
  for (const SimWindow& w : windows_) {
    if (w.thread == kOwnThread) return w.focus;
  }
  return kNoWindow;
}

bool SimDesktop::CaretScreenPosition(Point& position) {
  WindowHandle focus = FocusWindow();
  auto it = editor_parent_.find(focus);
  if (it == editor_parent_.end()) return false;
  const Rect& r = Window(it->second).rect;
  position = {r.left + 8 * static_cast<int>(Editor(focus).caret), r.top + 20};
  return true;
}

void SimDesktop::SendClipboardMessage(WindowHandle window, ClipboardMessage message) {
  sent_messages.emplace_back(window, message);
  log.push_back("WM " + Hex(static_cast<unsigned>(message)));
  auto it = editors_.find(window);
  if (it == editors_.end()) return;
  switch (message) {
    case ClipboardMessage::kCut:
      return it->second->Perform(EditorAction::kCut, *this);
    case ClipboardMessage::kCopy:
      return it->second->Perform(EditorAction::kCopy, *this);
    case ClipboardMessage::kPaste:
      return it->second->Perform(EditorAction::kPaste, *this);
  }
}

// ------------------------------------------------------------------- timers

void SimDesktop::StartTimer(int id, unsigned interval_ms, std::function<void()> tick) {
  timers_[id] = Timer{now_ + interval_ms, std::move(tick)};
}

void SimDesktop::StopTimer(int id) { timers_.erase(id); }

void SimDesktop::ProcessPendingMessages() {
  ++now_;
  RunDueOutsideEvents();
  while (RunPosted() || RunOneDueTimer()) {
  }
}

void SimDesktop::Sleep(unsigned ms) {
  log.push_back("sleep " + std::to_string(ms));
  now_ += ms;
  RunDueOutsideEvents();
}

void SimDesktop::Wait(unsigned ms) {
  log.push_back("wait " + std::to_string(ms));
  for (unsigned i = 0; i < ms; ++i) {
    ++now_;
    RunDueOutsideEvents();
  }
}

// ----------------------------------------------------------------- feedback

void SimDesktop::Beep() {
  ++beeps;
  log.push_back("beep");
}

void SimDesktop::ShowMessage(const std::string& text, MessageIcon) {
  message_boxes.push_back(text);
  log.push_back("message");
}

void SimDesktop::ShowWideMessage(const WideText& text, MessageIcon) {
  message_boxes.push_back(WideToSjis(text));
  wide_message_boxes.push_back(text);
  log.push_back("message");
}

// -------------------------------------------------------------------- codec

WideText SimDesktop::SjisToWide(std::string_view sjis) {
  std::string bytes = Iconv(sjis, Direction::kToWide);
  WideText wide;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    wide.push_back(
        static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  return wide;
}

std::string SimDesktop::WideToSjis(std::u16string_view wide) {
  std::string bytes;
  for (char16_t c : wide) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return Iconv(bytes, Direction::kToSjis);
}

}  // namespace tagsling::platform::sim
