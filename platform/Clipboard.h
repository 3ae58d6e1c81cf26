#pragma once
// The system clipboard, text only. Each call opens the clipboard for its own
// duration and closes it again; nothing is held between calls.

#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace tagsling::platform {

// The outcome of a clipboard write.
enum class ClipboardWrite {
  kStored,  // the text is on the clipboard
  // Another program holds the clipboard open: nothing changed, and a retry
  // a moment later may succeed.
  kBusy,
  // The clipboard was opened, but the text could not be stored there (no
  // memory for it, or the system refused it); what it held may be gone.
  // Retrying does not help.
  kNotStored,
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Empties the clipboard and stores `text` as Unicode text (the system
  // derives the ANSI form). Only kStored means the text is there.
  virtual ClipboardWrite SetClipboardText(std::u16string_view text) = 0;

  // The Unicode text up to its first zero. Empty when the clipboard holds no
  // text; nullopt when it could not be opened.
  virtual std::optional<WideText> GetClipboardText() = 0;

  // Whether a text format is available, asked without opening the clipboard.
  virtual bool ClipboardHasText() = 0;

  // Whether some window keeps the clipboard open right now
  // (GetOpenClipboardWindow).
  virtual bool ClipboardHeldOpen() = 0;
};

}  // namespace tagsling::platform
