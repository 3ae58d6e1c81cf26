#include "core/InsertionEngine.h"

#include <exception>

#include "common/SjisLiteral.h"
#include "core/TargetWindow.h"
#include "core/Templates.h"

namespace tagsling::core {

const char* const kCannotOpenClipboardMessage = "クリップボードを開くことができません"_sjis;

const char* const kCannotStoreClipboardMessage = "クリップボードにテキストを書き込むことができません"_sjis;

namespace {

WideText ReplaceEachWide(std::u16string_view pattern, std::u16string_view replacement, WideText text) {
  for (std::size_t at = text.find(pattern); at != WideText::npos; at = text.find(pattern, at + replacement.size())) {
    text.replace(at, pattern.size(), replacement);
  }
  return text;
}

constexpr std::u16string_view kSelStrWide = u"%SELSTR%";
constexpr std::u16string_view kShieldMarkerWide = u"%TAGSLING_TMP_SELSTR%";

}  // namespace

WideText ComposeSandwich(platform::TextCodec& codec, std::string_view sandwich, const WideText& selection) {
  // The template's pieces between placeholders pass through code page 932;
  // the selection goes in as it came. Any shield marker, in the template or
  // in the selection, comes out as "%SELSTR%" as with ReplaceAllShielded.
  WideText result;
  std::size_t from = 0;
  for (std::size_t at = sandwich.find(kSelStr); at != std::string_view::npos; at = sandwich.find(kSelStr, from)) {
    result += codec.SjisToWide(sandwich.substr(from, at - from));
    result += selection;
    from = at + kSelStr.size();
  }
  result += codec.SjisToWide(sandwich.substr(from));
  return ReplaceEachWide(kShieldMarkerWide, kSelStrWide, std::move(result));
}

// Marks the engine busy for a synchronous step; back to idle at the end
// unless the step left a timer pending.
class InsertionEngine::RunScope {
 public:
  explicit RunScope(InsertionEngine& engine) : engine_(engine) { engine_.state_ = State::kRunning; }
  ~RunScope() {
    if (engine_.state_ == State::kRunning) engine_.state_ = State::kIdle;
  }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;

 private:
  InsertionEngine& engine_;
};

InsertionEngine::InsertionEngine(platform::Platform platform, settings::AppSettings& settings, EngineHooks hooks)
    : p_(platform), settings_(settings), hooks_(std::move(hooks)) {}

const std::vector<std::string>& InsertionEngine::ThroughClasses() const {
  static const std::vector<std::string> kNone;
  return hooks_.through_classes ? *hooks_.through_classes : kNone;
}

bool InsertionEngine::Refuse() {
  if (state_ == State::kIdle) return false;
  p_.feedback.Beep();
  return true;
}

// ------------------------------------------------------------ entry points

void InsertionEngine::RunTagCommand(const std::string& key) {
  if (Refuse()) return;
  p_.timers.ProcessPendingMessages();  // let the clicked button or menu finish
  if (Refuse()) return;
  Run(hooks_.read_template ? hooks_.read_template(key) : std::string(), settings_.InsTextLower, true);
}

void InsertionEngine::RunTagCommandFromPopup(const std::string& key) {
  if (Refuse()) return;
  p_.timers.ProcessPendingMessages();
  if (Refuse()) return;
  Run(hooks_.read_template ? hooks_.read_template(key) : std::string(), settings_.InsTextLower, !caret_menu_);
}

void InsertionEngine::RunUserTag(int number) {
  if (Refuse()) return;
  p_.timers.ProcessPendingMessages();
  if (Refuse()) return;
  Run(hooks_.read_user_template ? hooks_.read_user_template(number) : std::string(),
      settings_.InsTextLower && !settings_.UserTagNoLower, true);
}

void InsertionEngine::RunUserTagFromPopup(int number) {
  if (Refuse()) return;
  p_.timers.ProcessPendingMessages();
  if (Refuse()) return;
  Run(hooks_.read_user_template ? hooks_.read_user_template(number) : std::string(),
      settings_.InsTextLower && !settings_.UserTagNoLower, !caret_menu_);
}

void InsertionEngine::BeginCaretMenu(WindowHandle focus_window) {
  caret_menu_ = true;
  caret_menu_focus_ = focus_window;
  // The remembered focus is the job's focus window too: tag deletion from
  // the hot-key popup pastes there without capturing a target of its own.
  if (state_ == State::kIdle) job_.focus_window = focus_window;
}

void InsertionEngine::EndCaretMenu() { caret_menu_ = false; }

void InsertionEngine::Run(const std::string& raw, bool lower, bool resolve_target) {
  RunScope scope(*this);
  const bool shift = p_.keyboard.IsKeyDown(platform::vk::kShift);
  const bool ctrl = p_.keyboard.IsKeyDown(platform::vk::kControl);

  job_.tag_text.clear();
  job_.selection_text.clear();
  job_.lowered_template.clear();
  job_.sandwich_template.clear();
  job_.cursor_back = CursorBackCount(raw);
  ExpandedTemplate expanded = ExpandTemplate(raw, lower);
  job_.tag_text = expanded.tag_text;
  job_.lowered_template = expanded.tag_text;
  job_.sandwich_template = std::move(expanded.sandwich);

  job_.focus_window = resolve_target ? CaptureTargetFocus(p_.windows, ThroughClasses()).focus : caret_menu_focus_;

  if (ctrl && shift) return PartDelivery(ClosingPart(job_.sandwich_template));
  if (ctrl) return PartDelivery(OpeningPart(job_.sandwich_template));
  if (settings_.HasamiMode || shift) return SandwichDelivery();
  NormalDelivery();
}

// -------------------------------------------------------------- deliveries

void InsertionEngine::NormalDelivery() {
  job_.tag_text = PlainText(job_.sandwich_template);
  if (!SetClipboard(p_.codec.SjisToWide(job_.tag_text))) return;
  SendPaste();
  // Left follows the paste at once: no delay and no wait for the modifiers.
  if (settings_.CursorBak) MoveCaretBack(job_.cursor_back);
}

void InsertionEngine::PartDelivery(const std::optional<std::string>& part) {
  if (!part || part->empty()) {
    p_.feedback.Beep();
    return;
  }
  job_.tag_text = *part;
  if (!SetClipboard(p_.codec.SjisToWide(job_.tag_text))) return;
  SendPaste();
}

void InsertionEngine::SandwichDelivery() {
  // The mode goes off before it is known whether the sandwich succeeds.
  if (settings_.PasteHasamiOff) {
    settings_.HasamiMode = false;
    if (hooks_.sandwich_mode_changed) hooks_.sandwich_mode_changed();
  }
  if (job_.sandwich_template.find(kSelStr) == std::string::npos) {
    if (settings_.NoSelStr_TagPaste) return NormalDelivery();
    p_.feedback.Beep();
    return;
  }
  BeginCapture(Capture::kSandwich);
}

bool InsertionEngine::StartSelectionCapture(bool capture_focus, SelectionTransform transform) {
  if (Refuse()) return false;
  p_.timers.ProcessPendingMessages();
  if (Refuse()) return false;
  RunScope scope(*this);
  if (capture_focus) job_.focus_window = CaptureTargetFocus(p_.windows, ThroughClasses()).focus;
  job_.selection_text.clear();
  transform_ = std::move(transform);
  return BeginCapture(Capture::kDeletion);
}

bool InsertionEngine::BeginCapture(Capture capture) {
  // Empty text first, so that whatever the cut or copy produces replaces it
  // and an empty selection reads as empty.
  if (!SetClipboard(WideText())) return false;
  if (settings_.HasamiSelStr == 0) {
    SendCut();
  } else if (settings_.HasamiSelStr == 1) {
    SendCopy();
  }
  state_ = State::kWaitingClipboard;
  if (capture == Capture::kSandwich) {
    ArmTimer(kTimer1, 1, &InsertionEngine::Timer1Timer);
  } else {
    ArmTimer(kTimer2, 1, &InsertionEngine::Timer2Timer);
  }
  return true;
}

// ------------------------------------------------------------------ ticks

void InsertionEngine::ArmTimer(int id, unsigned interval_ms, void (InsertionEngine::*tick)()) {
  p_.timers.StartTimer(id, interval_ms, [this, tick] { (this->*tick)(); });
}

void InsertionEngine::Timer1Timer() { Tick(&InsertionEngine::WaitTick, Capture::kSandwich); }
void InsertionEngine::PasteTimerTimer() { Tick(&InsertionEngine::PasteTick, Capture::kSandwich); }
void InsertionEngine::Timer2Timer() { Tick(&InsertionEngine::WaitTick, Capture::kDeletion); }
void InsertionEngine::PasteTimer2Timer() { Tick(&InsertionEngine::PasteTick, Capture::kDeletion); }

void InsertionEngine::Tick(void (InsertionEngine::*step)(Capture), Capture capture) {
  const bool wait_step = step == &InsertionEngine::WaitTick;
  const State expected = wait_step ? State::kWaitingClipboard : State::kWaitingLag;
  const int id =
      capture == Capture::kSandwich ? (wait_step ? kTimer1 : kPasteTimer) : (wait_step ? kTimer2 : kPasteTimer2);
  p_.timers.StopTimer(id);
  if (state_ != expected) return;  // a stray tick of a job that has ended
  // Nothing escapes a timer tick: the job ends and the user sees why.
  try {
    RunScope scope(*this);
    (this->*step)(capture);
  } catch (const std::exception& e) {
    state_ = State::kIdle;
    p_.feedback.ShowMessage(e.what(), platform::MessageIcon::kError);
  } catch (...) {
    state_ = State::kIdle;
    p_.feedback.ShowMessage("error", platform::MessageIcon::kError);
  }
}

void InsertionEngine::WaitTick(Capture capture) {
  // Some program may still have the clipboard open (the editor finishing
  // its cut, a clipboard viewer). Wait for it, but not for ever.
  const std::uint64_t start = p_.timers.NowMs();
  while (p_.clipboard.ClipboardHeldOpen()) {
    if (p_.timers.NowMs() - start >= kClipboardWaitMs) {
      p_.feedback.ShowMessage(kCannotOpenClipboardMessage, platform::MessageIcon::kError);
      return;
    }
    p_.timers.ProcessPendingMessages();
    p_.timers.Sleep(kPollSleepMs);
  }
  state_ = State::kWaitingLag;
  const unsigned lag = static_cast<unsigned>(settings_.Clamped(&settings::AppSettings::HasamiTime));
  if (capture == Capture::kSandwich) {
    ArmTimer(kPasteTimer, lag, &InsertionEngine::PasteTimerTimer);
  } else {
    ArmTimer(kPasteTimer2, lag, &InsertionEngine::PasteTimer2Timer);
  }
}

void InsertionEngine::PasteTick(Capture capture) {
  if (!p_.clipboard.ClipboardHasText()) {
    // The editor put something other than text there (or nothing we can
    // read): leave whatever mode it may be in, and tell the user.
    p_.keyboard.SendKeyEvent({platform::vk::kEscape, 0, false});
    p_.keyboard.SendKeyEvent({platform::vk::kEscape, 0, true});
    p_.feedback.Beep();
    return;
  }
  std::optional<WideText> selection = ReadClipboard();
  if (!selection) return;
  job_.selection_text = std::move(*selection);
  if (job_.selection_text.empty()) {
    if (capture == Capture::kSandwich && settings_.NoSelStr_TagPaste) return NormalDelivery();
    p_.feedback.Beep();
    return;
  }
  std::optional<SelectionResult> result;
  if (capture == Capture::kSandwich) {
    result.emplace(ComposeSandwich(p_.codec, job_.sandwich_template, job_.selection_text));
  } else if (transform_) {
    result = transform_(job_.selection_text);
  }
  if (!result || !PasteWideText(result->text)) return;
  // A sandwich leaves the caret after the pasted text; a transformation may
  // take it back to a place inside, at once like the normal delivery's Left.
  if (settings_.CursorBak) MoveCaretBack(result->caret_back);
}

// ------------------------------------------------------- clipboard actions

bool InsertionEngine::SetClipboard(const WideText& text) {
  // Other programs hold the clipboard only briefly: retry for a moment. A
  // clipboard that was opened but did not take the text is not retried: the
  // job ends there, and nothing is pasted from a clipboard that lacks it.
  const std::uint64_t start = p_.timers.NowMs();
  for (;;) {
    switch (p_.clipboard.SetClipboardText(text)) {
      case platform::ClipboardWrite::kStored:
        return true;
      case platform::ClipboardWrite::kNotStored:
        p_.feedback.ShowMessage(kCannotStoreClipboardMessage, platform::MessageIcon::kError);
        return false;
      case platform::ClipboardWrite::kBusy:
        break;
    }
    if (p_.timers.NowMs() - start >= kOpenRetryMs) {
      p_.feedback.ShowMessage(kCannotOpenClipboardMessage, platform::MessageIcon::kError);
      return false;
    }
    p_.timers.Sleep(kPollSleepMs);
  }
}

std::optional<WideText> InsertionEngine::ReadClipboard() {
  const std::uint64_t start = p_.timers.NowMs();
  for (;;) {
    std::optional<WideText> text = p_.clipboard.GetClipboardText();
    if (text) return text;
    if (p_.timers.NowMs() - start >= kOpenRetryMs) {
      p_.feedback.ShowMessage(kCannotOpenClipboardMessage, platform::MessageIcon::kError);
      return std::nullopt;
    }
    p_.timers.Sleep(kPollSleepMs);
  }
}

bool InsertionEngine::PasteText(const std::string& sjis_text) {
  job_.tag_text = sjis_text;
  if (!SetClipboard(p_.codec.SjisToWide(sjis_text))) return false;
  SendPaste();
  return true;
}

bool InsertionEngine::PasteTextTo(WindowHandle focus, const std::string& sjis_text) {
  if (Refuse()) return false;
  RunScope scope(*this);
  job_.focus_window = focus;
  return PasteText(sjis_text);
}

bool InsertionEngine::PasteTextTo(WindowHandle focus, const WideText& text) {
  if (Refuse()) return false;
  RunScope scope(*this);
  job_.focus_window = focus;
  return PasteWideText(text);
}

bool InsertionEngine::PasteWideText(const WideText& text) {
  job_.tag_text = p_.codec.WideToSjis(text);
  if (!SetClipboard(text)) return false;
  SendPaste();
  return true;
}

void InsertionEngine::SendCut() { SendCombination(CutKeys(), settings_.SendKey_Cut, platform::ClipboardMessage::kCut); }

void InsertionEngine::SendCopy() {
  SendCombination(CopyKeys(), settings_.SendKey_Copy, platform::ClipboardMessage::kCopy);
}

void InsertionEngine::SendPaste() {
  p_.timers.Sleep(kPasteDelayMs);
  SendCombination(PasteKeys(), settings_.SendKey_Paste, platform::ClipboardMessage::kPaste);
}

void InsertionEngine::SendCombination(std::span<const KeyCombination> table, int value,
                                      platform::ClipboardMessage message) {
  if (settings_.SendMessage == 1) {
    p_.windows.SendClipboardMessage(job_.focus_window, message);
    return;
  }
  if (settings_.SendMessage != 0) return;
  if (settings_.KeyUpPaste) WaitForModifierRelease();
  std::optional<KeyCombination> combination = FindKeyCombination(table, value);
  if (!combination) return;
  for (const platform::KeyEvent& event : CombinationEvents(*combination, p_.keyboard)) {
    p_.keyboard.SendKeyEvent(event);
  }
}

void InsertionEngine::WaitForModifierRelease() {
  // The user may still hold Shift or Ctrl from choosing the tag; the
  // editor would see them together with our keys.
  while (p_.keyboard.IsKeyDown(platform::vk::kShift) || p_.keyboard.IsKeyDown(platform::vk::kControl)) {
    p_.timers.ProcessPendingMessages();
    p_.timers.Sleep(kPollSleepMs);
  }
}

void InsertionEngine::MoveCaretBack(std::size_t count) {
  const std::uint8_t scan = p_.keyboard.ScanCodeOf(platform::vk::kLeft);
  for (std::size_t i = 0; i < count; ++i) {
    p_.keyboard.SendKeyEvent({platform::vk::kLeft, scan, false});
    p_.keyboard.SendKeyEvent({platform::vk::kLeft, scan, true});
  }
}

}  // namespace tagsling::core
