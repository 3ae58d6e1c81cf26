#include "ui/Busy.h"

namespace tagsling::ui {
namespace {

BusyState& State() {
  static BusyState state;
  return state;
}

}  // namespace

BusyScope::BusyScope(BusyFlag flag) : flag_(flag), was_set_(State().flags.test(static_cast<size_t>(flag))) {
  State().flags.set(static_cast<size_t>(flag));
}

BusyScope::~BusyScope() {
  // A nested scope of the same flag leaves it to the outer one to clear.
  if (!was_set_) State().flags.reset(static_cast<size_t>(flag_));
}

void SetOptionsDialogExists(bool exists) { State().options_dialog_exists = exists; }

bool IsBusy(HWND main) {
  BusyState state = State();
  state.main_window_enabled = main && IsWindowEnabled(main);
  return ui::IsBusy(state);
}

}  // namespace tagsling::ui
