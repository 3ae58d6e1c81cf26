#pragma once
// Beeps and message boxes. Texts are code page 932 byte strings, or UTF-16
// where they hold a path.

#include <string>

#include "platform/Types.h"

namespace tagsling::platform {

enum class MessageIcon { kError, kInformation, kWarning };

class Feedback {
 public:
  virtual ~Feedback() = default;
  virtual void Beep() = 0;  // MessageBeep(0)
  // A modal box owned by the main window, captioned "Tagsling".
  virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
  // The same box for a text in UTF-16: reports that name a file or folder
  // code page 932 cannot hold show it as it is.
  virtual void ShowWideMessage(const WideText& text, MessageIcon icon) = 0;
};

}  // namespace tagsling::platform
