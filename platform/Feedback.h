#pragma once
// Beeps and message boxes. Texts are code page 932 byte strings.

#include <string>

namespace tagsling::platform {

enum class MessageIcon { kError, kInformation, kWarning };

class Feedback {
 public:
  virtual ~Feedback() = default;
  virtual void Beep() = 0;  // MessageBeep(0)
  // A modal box owned by the main window, captioned "Tagsling".
  virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
};

}  // namespace tagsling::platform
