#pragma once
// The 27 system-wide hot keys: identifier, the setting that stores the
// shortcut text, and the command it runs. Registration goes through this
// table in ascending identifier order; the hot-key handler dispatches by
// identifier through it (identifiers outside the table do nothing).

#include <span>
#include <string_view>

#include "ui/model/Commands.h"

namespace tagsling::ui {

struct HotKeyBinding {
  int id;                        // 1..27, the RegisterHotKey identifier
  std::string_view setting_key;  // setting of the "Option" record holding the shortcut text
  CommandId command;
};

std::span<const HotKeyBinding> AllHotKeys();

// The command of hot-key identifier `id`, or CommandId::kNone.
CommandId HotKeyCommand(int id);

}  // namespace tagsling::ui
