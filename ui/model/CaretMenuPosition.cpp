#include "ui/model/CaretMenuPosition.h"

#include <cstring>

namespace tagsling::ui {

platform::Point ChooseCaretMenuPoint(int mode, const CaretMenuInputs& inputs) {
  switch (mode) {
    case kAtCaret:
      return inputs.caret_client == platform::Point{} ? inputs.cursor : inputs.caret_screen;
    case kAtWindowTopLeft:
      return inputs.client_origin_screen;
    default:
      return inputs.cursor;
  }
}

bool ProcessMessagesBeforeCancelMode(MenuId menu) { return menu != MenuId::kShortTagPopup; }

bool MenuClickFlagAfterMouseEvent(bool current, int hook_code, unsigned message, const char* class_under_pointer) {
  if (hook_code < 0 || (message != kWmLButtonDown && message != kWmRButtonDown)) return current;
  return class_under_pointer != nullptr && std::strcmp(class_under_pointer, kPopupMenuClass) == 0;
}

}  // namespace tagsling::ui
