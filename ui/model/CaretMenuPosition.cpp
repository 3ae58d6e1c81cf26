#include "ui/model/CaretMenuPosition.h"

#include <cstring>

namespace tagsling::ui {

platform::Point ChooseCaretMenuPoint(int mode, const CaretMenuInputs& inputs) {
  switch (mode) {
    case kAtCaret:
      return inputs.caretClient == platform::Point{} ? inputs.cursor : inputs.caretScreen;
    case kAtWindowTopLeft:
      return inputs.clientOriginScreen;
    default:
      return inputs.cursor;
  }
}

bool ProcessMessagesBeforeCancelMode(MenuId menu) { return menu != MenuId::ShortTagPopup; }

bool MenuClickFlagAfterMouseEvent(bool current, int hookCode, unsigned message, const char* classUnderPointer) {
  if (hookCode < 0 || (message != kWmLButtonDown && message != kWmRButtonDown)) return current;
  return classUnderPointer != nullptr && std::strcmp(classUnderPointer, kPopupMenuClass) == 0;
}

}  // namespace tagsling::ui
