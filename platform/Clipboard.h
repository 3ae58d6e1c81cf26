#pragma once
// The system clipboard, text only. Each call opens the clipboard for its own
// duration and closes it again; nothing is held between calls.

#include <optional>
#include <string_view>

#include "platform/Types.h"

namespace tagsling::platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Empties the clipboard and stores `text` as Unicode text (the system
  // derives the ANSI form). False when the clipboard could not be opened
  // because another program holds it; the contents are then unchanged.
  virtual bool SetClipboardText(std::u16string_view text) = 0;

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
