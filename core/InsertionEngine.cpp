#include "core/InsertionEngine.h"

#include <algorithm>
#include <exception>

#include "common/SjisLiteral.h"
#include "core/TargetWindow.h"
#include "core/Templates.h"

namespace tagsling::core {

const char* const kCannotOpenClipboardMessage = "クリップボードを開くことができません"_sjis;

const char* const kCannotStoreClipboardMessage = "クリップボードにテキストを書き込むことができません"_sjis;

const char* const kFormatsNotKeptMessage = "次の形式はクリップボードに戻せませんでした:"_sjis;

const char* const kClipboardNotRestoredMessage =
    "ほかのプログラムがクリップボードを使用していたため、クリップボードを元に戻せませんでした"_sjis;

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

// Marks a step of the job as running: a clipboard notification that arrives
// meanwhile (from inside a message box of the step) is left to the step's
// own poll, and a tick is put off.
class InsertionEngine::StepScope {
 public:
  explicit StepScope(InsertionEngine& engine) : engine_(engine), was_in_step_(engine.in_step_) {
    engine_.in_step_ = true;
  }
  ~StepScope() { engine_.in_step_ = was_in_step_; }
  StepScope(const StepScope&) = delete;
  StepScope& operator=(const StepScope&) = delete;

 private:
  InsertionEngine& engine_;
  bool was_in_step_;
};

InsertionEngine::InsertionEngine(platform::Platform platform, settings::AppSettings& settings, EngineHooks hooks)
    : p_(platform), settings_(settings), hooks_(std::move(hooks)) {
  p_.clipboard.SetClipboardObserver([this] { OnClipboardChanged(); });
}

InsertionEngine::~InsertionEngine() {
  p_.clipboard.SetClipboardObserver({});
  StopTimers();
}

const std::vector<std::string>& InsertionEngine::ThroughClasses() const {
  static const std::vector<std::string> kNone;
  return hooks_.through_classes ? *hooks_.through_classes : kNone;
}

std::string InsertionEngine::Template(const std::string& key) {
  return hooks_.read_template ? hooks_.read_template(key) : std::string();
}

std::string InsertionEngine::UserTemplate(int number) {
  return hooks_.read_user_template ? hooks_.read_user_template(number) : std::string();
}

bool InsertionEngine::Refuse() {
  if (phase_ == Phase::kIdle) return false;
  p_.feedback.Beep();
  return true;
}

template <typename Body>
bool InsertionEngine::Start(bool pump, Body body) {
  if (Refuse()) return false;
  phase_ = Phase::kStarting;
  progress_ = Progress{};
  bool started = false;
  try {
    // Let the clicked button or the closed menu finish first; a command
    // that arrives meanwhile finds the job started and is refused.
    if (pump) p_.timers.ProcessPendingMessages();
    StepScope step(*this);
    started = body();
  } catch (...) {
    FinishJob();
    throw;
  }
  // Ended without anything to wait for (a beep, a refusal of the editor).
  if (phase_ == Phase::kStarting) FinishJob();
  return started;
}

// ------------------------------------------------------------ entry points

void InsertionEngine::RunTagCommand(const std::string& key) {
  Start(true, [&] {
    Run(Template(key), settings_.InsTextLower, true);
    return true;
  });
}

void InsertionEngine::RunTagCommandFromPopup(const std::string& key) {
  Start(true, [&] {
    Run(Template(key), settings_.InsTextLower, !caret_menu_);
    return true;
  });
}

void InsertionEngine::RunUserTag(int number) {
  Start(true, [&] {
    Run(UserTemplate(number), settings_.InsTextLower && !settings_.UserTagNoLower, true);
    return true;
  });
}

void InsertionEngine::RunUserTagFromPopup(int number) {
  Start(true, [&] {
    Run(UserTemplate(number), settings_.InsTextLower && !settings_.UserTagNoLower, !caret_menu_);
    return true;
  });
}

void InsertionEngine::BeginCaretMenu(WindowHandle focus_window) {
  caret_menu_ = true;
  caret_menu_focus_ = focus_window;
  // The remembered focus is the job's focus window too: tag deletion from
  // the hot-key popup pastes there without capturing a target of its own.
  if (phase_ == Phase::kIdle) job_.focus_window = focus_window;
}

void InsertionEngine::EndCaretMenu() { caret_menu_ = false; }

bool InsertionEngine::StartSelectionCapture(bool capture_focus, SelectionTransform transform) {
  return Start(true, [&] {
    if (capture_focus) job_.focus_window = CaptureTargetFocus(p_.windows, ThroughClasses()).focus;
    job_.selection_text.clear();
    transform_ = std::move(transform);
    return BeginCapture(Capture::kDeletion);
  });
}

bool InsertionEngine::PasteText(const std::string& sjis_text) {
  return Start(false, [&] {
    job_.tag_text = sjis_text;
    return BeginPaste(p_.codec.SjisToWide(sjis_text), 0);
  });
}

bool InsertionEngine::PasteWideText(const WideText& text, std::size_t caret_back) {
  return Start(false, [&] {
    job_.tag_text = p_.codec.WideToSjis(text);
    return BeginPaste(text, settings_.CursorBak ? caret_back : 0);
  });
}

bool InsertionEngine::PasteTextTo(WindowHandle focus, const std::string& sjis_text) {
  return Start(false, [&] {
    job_.focus_window = focus;
    job_.tag_text = sjis_text;
    return BeginPaste(p_.codec.SjisToWide(sjis_text), 0);
  });
}

bool InsertionEngine::PasteTextTo(WindowHandle focus, const WideText& text) {
  return Start(false, [&] {
    job_.focus_window = focus;
    job_.tag_text = p_.codec.WideToSjis(text);
    return BeginPaste(text, 0);
  });
}

void InsertionEngine::Run(const std::string& raw, bool lower, bool resolve_target) {
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

  auto resolve = [&] {
    job_.focus_window = resolve_target ? CaptureTargetFocus(p_.windows, ThroughClasses()).focus : caret_menu_focus_;
  };
  if (!ctrl && (settings_.HasamiMode || shift)) {
    resolve();
    return SandwichDelivery();
  }
  // A paste without a capture offers its text first: the pause before the
  // paste keys then runs while the target comes to the front.
  if (ctrl && shift) {
    PartDelivery(ClosingPart(job_.sandwich_template));
  } else if (ctrl) {
    PartDelivery(OpeningPart(job_.sandwich_template));
  } else {
    NormalDelivery();
  }
  if (phase_ != Phase::kIdle) resolve();  // not after a failure the user was told about
}

// -------------------------------------------------------------- deliveries

void InsertionEngine::NormalDelivery() {
  job_.tag_text = PlainText(job_.sandwich_template);
  // Left follows once the editor has taken the paste, without waiting for
  // the modifiers.
  BeginPaste(p_.codec.SjisToWide(job_.tag_text), settings_.CursorBak ? job_.cursor_back : 0);
}

void InsertionEngine::PartDelivery(const std::optional<std::string>& part) {
  if (!part || part->empty()) {
    p_.feedback.Beep();
    return;
  }
  job_.tag_text = *part;
  BeginPaste(p_.codec.SjisToWide(job_.tag_text), 0);
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

// ----------------------------------------------------------------- capture

bool InsertionEngine::BeginCapture(Capture capture) {
  progress_.capture = capture;
  // The clipboard is not emptied before the cut: a program that reads every
  // change (clipboard history) would hold it open just when the editor cuts,
  // and an edit control whose copy fails still deletes the selection. The
  // editor's text is recognised by the sequence number instead.
  if (!SaveClipboardOnce()) {
    FinishJob();
    return false;
  }
  phase_ = Phase::kBeforeCut;
  progress_.phase_start = p_.timers.NowMs();
  CutOrCopyStep();
  return true;
}

void InsertionEngine::CutOrCopyStep() {
  if (WaitsForModifiers()) return WaitForKeyUp(CapturePollTimer());
  // Another program has the clipboard open: a cut now would fail (and could
  // still delete the selection). Wait for it, and read the selection by
  // copy: such a program may open the clipboard again at any change, and a
  // failed copy loses nothing (the paste replaces the still-selected text).
  if (p_.clipboard.ClipboardHeldOpen()) {
    progress_.copy_instead_of_cut = true;
    if (p_.timers.NowMs() - progress_.phase_start >= kClipboardWaitMs) {
      p_.feedback.ShowMessage(kCannotOpenClipboardMessage, platform::MessageIcon::kError);
      return FinishJob();
    }
    return ArmTimer(CapturePollTimer(), kPollMs);
  }
  // Beside a program that reads every offer, the editor's paste may fail
  // (the program holds the clipboard just then); a copied selection is then
  // still in the document.
  if (reader_seen_) progress_.copy_instead_of_cut = true;
  if (ForeignChange()) SaveNewerContent();
  progress_.cut_sequence = p_.clipboard.ClipboardSequence();
  SendCutOrCopy();
  // A message is handled before SendMessage returns: an editor that ignores
  // WM_CUT (Sakura Editor) or had nothing to give left the clipboard as it
  // was, and pasting now would put the old contents over the selection.
  if (settings_.SendMessage == 1 && p_.clipboard.ClipboardSequence() == progress_.cut_sequence) {
    p_.feedback.Beep();
    return FinishJob();
  }
  phase_ = Phase::kCapturing;
  progress_.phase_start = p_.timers.NowMs();
  progress_.free_since.reset();
  ArmTimer(CapturePollTimer(), 1);
}

void InsertionEngine::CaptureStep() { Capturing(true); }

void InsertionEngine::Capturing(bool tick) {
  const std::uint64_t now = p_.timers.NowMs();
  const bool held = p_.clipboard.ClipboardHeldOpen();
  // The editor's text is there: the clipboard changed since the clear, nobody
  // holds it open, and it has text.
  auto ready = [&] {
    return !held && p_.clipboard.ClipboardSequence() != progress_.cut_sequence && p_.clipboard.ClipboardHasText();
  };
  if (!progress_.free_since) {
    // Only the ticks wait for a free clipboard and start the paste lag, so
    // it starts when it always did; a notification can only end the wait
    // early.
    if (!tick) {
      if (settings_.AdaptivePasteLag && ready()) ReadSelection();
      return;
    }
    // Some program may still have the clipboard open (the editor finishing
    // its cut, a clipboard viewer). Wait for it, but not for ever.
    if (held) {
      if (now - progress_.phase_start >= kClipboardWaitMs) {
        p_.feedback.ShowMessage(kCannotOpenClipboardMessage, platform::MessageIcon::kError);
        return FinishJob();
      }
      return ArmTimer(CapturePollTimer(), kPollMs);
    }
    progress_.free_since = now;
    ArmTimer(CaptureLagTimer(), static_cast<unsigned>(settings_.Clamped(&settings::AppSettings::HasamiTime)));
  }
  if (!settings_.AdaptivePasteLag) return;  // only the lag goes on
  if (ready()) return ReadSelection();
  if (tick) ArmTimer(CapturePollTimer(), kPollMs);
}

void InsertionEngine::CaptureNotified() { Capturing(false); }

void InsertionEngine::ReadSelection() {
  p_.timers.StopTimer(CapturePollTimer());
  p_.timers.StopTimer(CaptureLagTimer());
  // An unchanged clipboard means the editor gave nothing: the selection is
  // empty (what the clipboard holds is the user's, not the editor's).
  const bool changed = p_.clipboard.ClipboardSequence() != progress_.cut_sequence;
  // What the editor's cut put there was part of this job.
  progress_.left_sequence = p_.clipboard.ClipboardSequence();
  const bool cut = settings_.HasamiSelStr == 0 && !progress_.copy_instead_of_cut && changed;
  if (changed && !p_.clipboard.ClipboardHasText()) {
    // The editor put something other than text there (or nothing we can
    // read): leave whatever mode it may be in, and tell the user.
    progress_.holds_editor_cut = cut;
    p_.keyboard.SendKeyEvent({platform::vk::kEscape, 0, false});
    p_.keyboard.SendKeyEvent({platform::vk::kEscape, 0, true});
    p_.feedback.Beep();
    return FinishJob();
  }
  std::optional<WideText> selection = changed ? ReadClipboard() : WideText();
  if (!selection) return FinishJob();
  job_.selection_text = std::move(*selection);
  progress_.holds_editor_cut = cut && !job_.selection_text.empty();
  if (job_.selection_text.empty()) {
    if (progress_.capture == Capture::kSandwich && settings_.NoSelStr_TagPaste) return NormalDelivery();
    p_.feedback.Beep();
    return FinishJob();
  }
  std::optional<SelectionResult> result;
  if (progress_.capture == Capture::kSandwich) {
    result.emplace(ComposeSandwich(p_.codec, job_.sandwich_template, job_.selection_text));
  } else if (transform_) {
    result = transform_(job_.selection_text);
  }
  if (!result) return FinishJob();
  job_.tag_text = p_.codec.WideToSjis(result->text);
  progress_.pastes_selection = true;
  BeginPaste(result->text, settings_.CursorBak ? result->caret_back : 0);
}

// ------------------------------------------------------------------- paste

bool InsertionEngine::BeginPaste(const WideText& text, std::size_t caret_back) {
  if (!SaveClipboardOnce()) {
    FinishJob();
    return false;
  }
  // Copied meanwhile (while a dialog of the command was open): that is what
  // the job puts back.
  if (ForeignChange()) SaveNewerContent();
  progress_.offer = text;
  if (!SetClipboard(text, true)) {
    FinishJob();
    return false;
  }
  progress_.caret_back = caret_back;
  phase_ = Phase::kBeforePaste;
  progress_.phase_start = p_.timers.NowMs();
  ArmTimer(kDeliveryTimer, kPasteDelayMs);
  return true;
}

void InsertionEngine::PasteStep() {
  if (WaitsForModifiers()) return WaitForKeyUp(kDeliveryTimer);
  if (ForeignChange()) {
    // Someone put newer content there during the pause. A plain tag is given
    // up (the user's copy wins); a captured selection still goes back into
    // the document, and the newer content is what is put back afterwards.
    if (!progress_.pastes_selection) {
      p_.feedback.Beep();
      return FinishJob();
    }
    SaveNewerContent();
    if (!SetClipboard(progress_.offer, true)) return FinishJob();
    progress_.offered_again = true;
    progress_.free_since.reset();
    return ArmTimer(kDeliveryTimer, kPollMs);
  }
  if (!progress_.offered_again && p_.clipboard.OfferTaken()) {
    // Another program (clipboard history, a clipboard manager) has read the
    // offer: after a render the data stays on the clipboard and the editor's
    // own request would never show. Offer again just before the keys.
    reader_seen_ = true;
    if (!SetClipboard(progress_.offer, true)) return FinishJob();
    progress_.offered_again = true;
    progress_.free_since.reset();
    return ArmTimer(kDeliveryTimer, kPollMs);
  }
  // A reader that reads every change may be reading the new offer (Wine
  // wakes it a second time after its own read): the editor's paste would
  // fail while it holds the clipboard. Wait until it has been left alone
  // for a moment.
  if (progress_.offered_again) {
    const std::uint64_t now = p_.timers.NowMs();
    if (p_.clipboard.ClipboardHeldOpen()) progress_.free_since.reset();
    if (!progress_.free_since) progress_.free_since = now;
    if (now - *progress_.free_since < kSettleMs) {
      if (now - progress_.phase_start < kClipboardWaitMs) return ArmTimer(kDeliveryTimer, kPollMs);
      p_.feedback.Beep();
      return FinishJob();
    }
  }
  progress_.target_process = TargetProcess();
  // Nothing sent (no key for the setting, no focus window for the message):
  // nothing will be taken, and the job ends as it is.
  if (!SendCombination(PasteKeys(), settings_.SendKey_Paste, platform::ClipboardMessage::kPaste)) return FinishJob();
  phase_ = Phase::kPasteSent;
  progress_.phase_start = p_.timers.NowMs();
  PasteSentStep();
}

void InsertionEngine::PasteSentStep() {
  if (const std::optional<platform::ProcessId> renderer = p_.clipboard.OfferRenderer();
      renderer && !progress_.renderer_unknown) {
    // Only the target's request is the editor taking the paste. A target
    // of unknown process takes any request.
    if (*renderer == progress_.target_process || progress_.target_process == 0) return TakenStep();
    // Another program asked first: the editor's paste can no longer be seen.
    // Its keys are queued before Left, so Left goes now; the job holds the
    // clipboard until the bound, so no later job replaces the offer under a
    // slow editor, and then leaves the offer where it is.
    progress_.renderer_unknown = true;
    reader_seen_ = true;
    MoveCaretBack(progress_.caret_back);
  }
  if (p_.timers.NowMs() - progress_.phase_start >= kPasteTakenBoundMs) return PasteNotSeen();
  ArmTimer(kDeliveryTimer, kPollMs);
}

void InsertionEngine::PasteNotSeen() {
  // A late paste must find the tag, never the user's old clipboard: the
  // offer stays.
  progress_.keep_offer = true;
  if (progress_.renderer_unknown) {
    if (progress_.saved) TellNotRestored();
  } else {
    // The editor never asked for the text: it ignored the paste, is still
    // busy, or the keys went elsewhere.
    p_.feedback.Beep();
  }
  FinishJob();
}

void InsertionEngine::TakenStep() {
  // The editor has the text (with the selection it cut, if any).
  progress_.holds_editor_cut = false;
  MoveCaretBack(progress_.caret_back);
  FinishJob();
}

// ------------------------------------------------------------ end of a job

void InsertionEngine::FinishJob() {
  StopTimers();
  // A clipboard holding the editor's cut that never went back into the
  // document keeps it: putting the old contents back would lose that text.
  // So does an offer a late paste may still take. A job that changed
  // nothing has nothing to put back.
  if (progress_.saved && !progress_.holds_editor_cut && !progress_.keep_offer &&
      progress_.left_sequence != progress_.saved_sequence) {
    phase_ = Phase::kRestoring;
    progress_.phase_start = p_.timers.NowMs();
    return RestoreStep();
  }
  EndJob();
}

void InsertionEngine::RestoreStep() {
  switch (p_.clipboard.RestoreClipboard(*progress_.saved, progress_.left_sequence)) {
    case platform::ClipboardRestore::kRestored:
      return EndJob(true);
    case platform::ClipboardRestore::kChanged:
      return EndJob();  // someone else's newer content wins
    case platform::ClipboardRestore::kFailed:
      p_.feedback.ShowMessage(kCannotStoreClipboardMessage, platform::MessageIcon::kError);
      return EndJob();
    case platform::ClipboardRestore::kBusy:
      break;
  }
  // The editor may still be closing the clipboard after taking the paste.
  if (p_.timers.NowMs() - progress_.phase_start >= kClipboardWaitMs) {
    p_.feedback.ShowMessage(kCannotOpenClipboardMessage, platform::MessageIcon::kError);
    return EndJob();
  }
  ArmTimer(kDeliveryTimer, kPollMs);
}

void InsertionEngine::EndJob(bool restored) {
  StopTimers();
  std::vector<std::string> not_kept;
  if (restored && progress_.saved) not_kept = std::move(progress_.saved->not_kept);
  const bool tell_not_restored = progress_.tell_not_restored && !reported_not_restored_;
  phase_ = Phase::kIdle;
  progress_ = Progress{};
  transform_ = nullptr;
  if (tell_not_restored) {
    // Once per run: the user learns that RestoreClipboard cannot work beside
    // some other program.
    reported_not_restored_ = true;
    p_.feedback.ShowMessage(kClipboardNotRestoredMessage, platform::MessageIcon::kWarning);
  }
  if (not_kept.empty() || reported_not_kept_) return;
  // Once per run: the user learns which kinds of data an insertion drops.
  reported_not_kept_ = true;
  std::string message = kFormatsNotKeptMessage;
  for (const std::string& name : not_kept) message += "\r\n" + name;
  p_.feedback.ShowMessage(message, platform::MessageIcon::kWarning);
}

// ------------------------------------------------------------------ ticks

void InsertionEngine::ArmTimer(int id, unsigned interval_ms) {
  void (InsertionEngine::*tick)() = nullptr;
  switch (id) {
    case kSandwichPollTimer:
      tick = &InsertionEngine::OnSandwichPoll;
      break;
    case kSandwichLagTimer:
      tick = &InsertionEngine::OnSandwichLag;
      break;
    case kDeletionPollTimer:
      tick = &InsertionEngine::OnDeletionPoll;
      break;
    case kDeletionLagTimer:
      tick = &InsertionEngine::OnDeletionLag;
      break;
    default:
      tick = &InsertionEngine::OnDeliveryTimer;
      break;
  }
  p_.timers.StartTimer(id, interval_ms, [this, tick] { (this->*tick)(); });
}

void InsertionEngine::StopTimers() {
  for (int id : {kSandwichPollTimer, kSandwichLagTimer, kDeletionPollTimer, kDeletionLagTimer, kDeliveryTimer})
    p_.timers.StopTimer(id);
}

void InsertionEngine::OnSandwichPoll() { Tick(kSandwichPollTimer, &InsertionEngine::CapturePollStep); }
void InsertionEngine::OnSandwichLag() { Tick(kSandwichLagTimer, &InsertionEngine::LagStep); }
void InsertionEngine::OnDeletionPoll() { Tick(kDeletionPollTimer, &InsertionEngine::CapturePollStep); }
void InsertionEngine::OnDeletionLag() { Tick(kDeletionLagTimer, &InsertionEngine::LagStep); }
void InsertionEngine::OnDeliveryTimer() { Tick(kDeliveryTimer, &InsertionEngine::DeliveryStep); }

void InsertionEngine::CapturePollStep() {
  if (phase_ == Phase::kBeforeCut) return CutOrCopyStep();
  if (phase_ == Phase::kCapturing) CaptureStep();
}

void InsertionEngine::LagStep() {
  if (phase_ == Phase::kCapturing) ReadSelection();
}

void InsertionEngine::DeliveryStep() {
  switch (phase_) {
    case Phase::kBeforePaste:
      return PasteStep();
    case Phase::kPasteSent:
      return PasteSentStep();
    case Phase::kRestoring:
      return RestoreStep();
    default:
      return;
  }
}

void InsertionEngine::Tick(int id, void (InsertionEngine::*step)()) {
  p_.timers.StopTimer(id);
  if (phase_ == Phase::kIdle || phase_ == Phase::kStarting) return;  // a stray tick of a job that has ended
  if (in_step_) return ArmTimer(id, kPollMs);                        // a step's message box is open
  RunStep(step);
}

void InsertionEngine::OnClipboardChanged() {
  if (in_step_) return;  // the running step looks for itself
  if (phase_ == Phase::kCapturing && settings_.AdaptivePasteLag) {
    RunStep(&InsertionEngine::CaptureNotified);
  } else if (phase_ == Phase::kPasteSent) {
    RunStep(&InsertionEngine::PasteSentStep);
  }
}

void InsertionEngine::RunStep(void (InsertionEngine::*step)()) {
  // Nothing escapes a tick or a notification: the job ends and the user sees
  // why.
  std::string failure;
  try {
    StepScope scope(*this);
    (this->*step)();
    return;
  } catch (const std::exception& e) {
    failure = e.what();
  } catch (...) {
    failure = "error";
  }
  FinishJob();
  p_.feedback.ShowMessage(failure, platform::MessageIcon::kError);
}

// ------------------------------------------------------- clipboard actions

bool InsertionEngine::SaveClipboardOnce() {
  if (progress_.save_tried) return true;
  progress_.save_tried = true;
  progress_.left_sequence = p_.clipboard.ClipboardSequence();
  if (!settings_.RestoreClipboard) return true;
  const std::uint64_t start = p_.timers.NowMs();
  for (;;) {
    progress_.saved_sequence = p_.clipboard.ClipboardSequence();
    if (std::optional<platform::ClipboardContents> saved =
            p_.clipboard.SaveClipboard(kSavedClipboardLimit, kSaveBoundMs)) {
      progress_.left_sequence = progress_.saved_sequence;
      // An owner too slow to render its data: this job does without the
      // restore rather than keep the user waiting.
      if (saved->timed_out) {
        progress_.save_timed_out = true;
        TellNotRestored();
      } else {
        progress_.saved = std::move(saved);
      }
      return true;
    }
    // Nothing is changed before the user's clipboard is safe.
    if (p_.timers.NowMs() - start >= kOpenRetryMs) {
      p_.feedback.ShowMessage(kCannotOpenClipboardMessage, platform::MessageIcon::kError);
      return false;
    }
    p_.timers.Wait(kPollSleepMs);
  }
}

bool InsertionEngine::ForeignChange() { return p_.clipboard.ClipboardSequence() != progress_.left_sequence; }

void InsertionEngine::SaveNewerContent() {
  // The newer content wins: it replaces what the job saved, and the editor's
  // cut is no longer what the clipboard holds.
  progress_.left_sequence = p_.clipboard.ClipboardSequence();
  progress_.holds_editor_cut = false;
  if (!progress_.saved) return;
  progress_.saved.reset();
  progress_.save_tried = false;
  if (!SaveClipboardOnce()) progress_.saved.reset();
}

void InsertionEngine::TellNotRestored() {
  // Told when the job has ended: a message box now would hold the paste up.
  progress_.tell_not_restored = true;
}

bool InsertionEngine::SetClipboard(const WideText& text, bool offer) {
  // Other programs hold the clipboard only briefly: retry for a moment. A
  // clipboard that was opened but did not take the text is not retried: the
  // job ends there, and nothing is pasted from a clipboard that lacks it.
  // After a save that ran out of time, the save still holds the clipboard
  // until the slow owner has rendered: wait that long too.
  const unsigned bound = progress_.save_timed_out ? kSlowOwnerWaitMs : kOpenRetryMs;
  const std::uint64_t start = p_.timers.NowMs();
  for (;;) {
    const platform::ClipboardWrite written =
        offer ? p_.clipboard.OfferClipboardText(text) : p_.clipboard.SetClipboardText(text);
    if (written != platform::ClipboardWrite::kBusy) progress_.left_sequence = p_.clipboard.ClipboardSequence();
    switch (written) {
      case platform::ClipboardWrite::kStored:
        return true;
      case platform::ClipboardWrite::kNotStored:
        p_.feedback.ShowMessage(kCannotStoreClipboardMessage, platform::MessageIcon::kError);
        return false;
      case platform::ClipboardWrite::kBusy:
        break;
    }
    if (p_.timers.NowMs() - start >= bound) {
      p_.feedback.ShowMessage(kCannotOpenClipboardMessage, platform::MessageIcon::kError);
      return false;
    }
    p_.timers.Wait(kPollSleepMs);
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
    p_.timers.Wait(kPollSleepMs);
  }
}

// ------------------------------------------------------------------- keys

bool InsertionEngine::WaitsForModifiers() {
  // The user may still hold Shift or Ctrl from choosing the tag; the editor
  // would see them together with our keys.
  return settings_.SendMessage == 0 && settings_.KeyUpPaste &&
         (p_.keyboard.IsKeyDown(platform::vk::kShift) || p_.keyboard.IsKeyDown(platform::vk::kControl));
}

void InsertionEngine::WaitForKeyUp(int timer) {
  const std::uint64_t now = p_.timers.NowMs();
  if (!progress_.keys_held_since) progress_.keys_held_since = now;
  if (now - *progress_.keys_held_since < kKeyUpBoundMs) return ArmTimer(timer, kPollMs);
  // A key the system believes held long after the command: give the job up.
  p_.feedback.Beep();
  FinishJob();
}

platform::ProcessId InsertionEngine::TargetProcess() {
  // Keys reach the foreground window; messages go to the captured control.
  return p_.windows.ProcessOf(settings_.SendMessage == 1 ? job_.focus_window : p_.windows.ForegroundWindow());
}

void InsertionEngine::SendCutOrCopy() {
  if (settings_.HasamiSelStr == 0 && progress_.copy_instead_of_cut) {
    SendCombination(CopyKeys(), settings_.SendKey_Copy, platform::ClipboardMessage::kCopy);
  } else if (settings_.HasamiSelStr == 0) {
    SendCombination(CutKeys(), settings_.SendKey_Cut, platform::ClipboardMessage::kCut);
  } else if (settings_.HasamiSelStr == 1) {
    SendCombination(CopyKeys(), settings_.SendKey_Copy, platform::ClipboardMessage::kCopy);
  }
}

bool InsertionEngine::SendCombination(std::span<const KeyCombination> table, int value,
                                      platform::ClipboardMessage message) {
  if (settings_.SendMessage == 1) {
    p_.windows.SendClipboardMessage(job_.focus_window, message);
    return job_.focus_window != platform::kNoWindow;
  }
  if (settings_.SendMessage != 0) return false;
  std::optional<KeyCombination> combination = FindKeyCombination(table, value);
  if (!combination) return false;
  for (const platform::KeyEvent& event : CombinationEvents(*combination, p_.keyboard)) {
    p_.keyboard.SendKeyEvent(event);
  }
  return true;
}

void InsertionEngine::MoveCaretBack(std::size_t count) {
  const std::uint8_t scan = p_.keyboard.ScanCodeOf(platform::vk::kLeft);
  for (std::size_t i = 0; i < count; ++i) {
    p_.keyboard.SendKeyEvent({platform::vk::kLeft, scan, false});
    p_.keyboard.SendKeyEvent({platform::vk::kLeft, scan, true});
  }
}

}  // namespace tagsling::core
