#pragma once
// The system clipboard. Each call opens the clipboard for its own duration
// and closes it again; nothing is held between calls.
//
// Text for pasting is offered by delayed rendering: the clipboard announces
// Unicode text, and the data is produced only when a program asks for it.
// That request, made from a window of the editor's process, is how the
// program learns that the editor has taken a paste. An offer also carries
// the formats that keep transient content out of clipboard history and the
// cloud clipboard, so that polite readers leave it alone.
// The platform keeps the offered text until the clipboard changes again,
// renders it on every request, and renders it for good before the program
// ends, so a paste made after the program has gone still finds it.
//
// The whole clipboard can also be saved and put back (the user's clipboard
// survives an insertion).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Types.h"

namespace tagsling::platform {

// The formats an offer carries so that clipboard history, the cloud
// clipboard and clipboard monitors leave it alone; the last two hold the
// DWORD 0.
inline constexpr std::string_view kExcludeFromMonitorFormat = "ExcludeClipboardContentFromMonitorProcessing";
inline constexpr std::string_view kClipboardHistoryFormat = "CanIncludeInClipboardHistory";
inline constexpr std::string_view kCloudClipboardFormat = "CanUploadToCloudClipboard";

// The outcome of a clipboard write.
enum class ClipboardWrite {
  kStored,  // the text is on the clipboard (or offered there)
  // Another program holds the clipboard open: nothing changed, and a retry
  // a moment later may succeed.
  kBusy,
  // The clipboard was opened, but the text could not be stored there (no
  // memory for it, or the system refused it); what it held may be gone.
  // Retrying does not help.
  kNotStored,
};

// One format of a saved clipboard.
struct SavedClipboardFormat {
  std::uint32_t id = 0;              // the format's number on this system
  std::string name;                  // for messages: its registered or standard name ("CF_BITMAP")
  std::vector<unsigned char> bytes;  // the data of a memory format
  // The data of a handle format (bitmap, enhanced metafile, palette): a copy
  // owned by this object and released with its last reference.
  std::shared_ptr<void> handle;
};

// What a clipboard held: every format that could be kept, in the clipboard's
// order, and the names of those that could not (a format whose data is not
// memory or a copyable handle, one the owner failed to render, or one that
// did not fit within the byte limit).
struct ClipboardContents {
  std::vector<SavedClipboardFormat> formats;
  std::vector<std::string> not_kept;
  // The save did not finish within its bound (an owner rendering its
  // delayed data slowly, or hung): nothing was kept.
  bool timed_out = false;
};

enum class ClipboardRestore {
  kRestored,
  kChanged,  // the sequence number was not the expected one: nothing was touched
  kBusy,     // another program holds the clipboard open: nothing was touched
  kFailed,   // opened and emptied, but not every format could be put back
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Empties the clipboard and stores `text` as Unicode text (the system
  // derives the ANSI form). Only kStored means the text is there.
  virtual ClipboardWrite SetClipboardText(std::u16string_view text) = 0;

  // Empties the clipboard and offers `text` as Unicode text by delayed
  // rendering (the system derives the ANSI and OEM forms on request), with
  // the exclusion formats of clipboard history and the cloud clipboard
  // ("ExcludeClipboardContentFromMonitorProcessing", and
  // "CanIncludeInClipboardHistory" and "CanUploadToCloudClipboard" holding
  // the DWORD 0). A reader gets exactly what SetClipboardText would have
  // given it.
  virtual ClipboardWrite OfferClipboardText(std::u16string_view text) = 0;

  // Whether some program has asked for the data of the latest offer since it
  // was made. False once anything else has replaced the offer unasked.
  virtual bool OfferTaken() = 0;
  // Which process asked for it: the process of the window that held the
  // clipboard open while it asked (GetOpenClipboardWindow), 0 for a
  // clipboard opened without a window; nullopt while nobody has asked. Only
  // the first request is seen: after it the data is on the clipboard.
  virtual std::optional<ProcessId> OfferRenderer() = 0;

  // The clipboard's sequence number: it changes with every change of the
  // contents, by any program. Rendering offered data is not a change.
  virtual std::uint32_t ClipboardSequence() = 0;

  // `observer` runs from the message loop (never inside a call of this
  // interface) after the clipboard's contents changed or a program asked for
  // offered data. Calls may be spurious or merged: the observer re-checks
  // whatever it waits for. One observer at a time; an empty function removes
  // it.
  virtual void SetClipboardObserver(std::function<void()> observer) = 0;

  // The Unicode text up to its first zero. Empty when the clipboard holds no
  // text; nullopt when it could not be opened.
  virtual std::optional<WideText> GetClipboardText() = 0;

  // Whether a text format is available, asked without opening the clipboard.
  virtual bool ClipboardHasText() = 0;

  // Whether some window keeps the clipboard open right now
  // (GetOpenClipboardWindow).
  virtual bool ClipboardHeldOpen() = 0;

  // Copies every format the clipboard holds, keeping at most `byte_limit`
  // bytes of data in all. Formats the system synthesises from another one
  // (CF_TEXT, CF_OEMTEXT and CF_LOCALE beside CF_UNICODETEXT; CF_BITMAP and
  // CF_DIBV5 beside CF_DIB) and the exclusion formats of an offer are left
  // out. Asking for another program's delayed data makes it render, which
  // can take long or hang: past `bound_ms` the result is `timed_out` (the
  // calling thread keeps answering messages meanwhile). nullopt when the
  // clipboard cannot be opened.
  virtual std::optional<ClipboardContents> SaveClipboard(std::size_t byte_limit, unsigned bound_ms) = 0;

  // Empties the clipboard and puts `contents` back, provided the sequence
  // number is still `expected_sequence` when the clipboard has been opened
  // (so a change made by anyone in the meantime is never overwritten).
  virtual ClipboardRestore RestoreClipboard(const ClipboardContents& contents, std::uint32_t expected_sequence) = 0;
};

}  // namespace tagsling::platform
