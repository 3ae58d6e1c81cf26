#include "ui/model/HotKeyRepeat.h"

#include <cstdint>
#include <initializer_list>
#include <utility>

namespace tagsling::ui {
namespace {

constexpr unsigned kShiftKey = 0x10, kControlKey = 0x11, kAltKey = 0x12;

}  // namespace

bool HotKeyRepeatFilter::Accept(int id, unsigned modifiers, unsigned virtual_key) {
  return held_.insert_or_assign(id, Press{modifiers, virtual_key}).second;
}

bool HotKeyRepeatFilter::Poll(const std::function<bool(unsigned virtual_key)>& is_down) {
  std::erase_if(held_, [&](const std::pair<const int, Press>& entry) {
    const Press& press = entry.second;
    if (!is_down(press.virtual_key)) return true;
    for (auto [flag, key] : {std::pair{kAlt, kAltKey}, {kControl, kControlKey}, {kShift, kShiftKey}}) {
      if ((press.modifiers & flag) && !is_down(key)) return true;
    }
    return false;
  });
  return !held_.empty();
}

}  // namespace tagsling::ui
