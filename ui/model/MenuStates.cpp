#include "ui/model/MenuStates.h"

namespace tagsling::ui {
namespace {

struct SizedCommand {
  CommandId command;
  BrowserSize size;
};

// The hot-key forms resize the foreground window to the same sizes.
constexpr SizedCommand kBrowserSizes[] = {
    {CommandId::BrowserSize640, {640, 480}},       {CommandId::BrowserSize800, {800, 600}},
    {CommandId::BrowserSize1024, {1024, 768}},     {CommandId::ForegroundBrowser640, {640, 480}},
    {CommandId::ForegroundBrowser800, {800, 600}}, {CommandId::ForegroundBrowser1024, {1024, 768}},
};

}  // namespace

ItemState OpenTimeState(const MenuNode& node, const UiState& state) {
  ItemState s;
  s.enabled = node.enabled;
  switch (node.command) {
    case CommandId::ToggleSandwich:
      s.checked = state.sandwich_mode;
      break;
    case CommandId::ToggleOnTop:
      s.checked = state.on_top;
      s.enabled = !state.docked;
      break;
    case CommandId::ClearBaseFolder:
      s.enabled = state.base_folder_set;
      break;
    case CommandId::ToggleRelativePath:
      s.checked = state.relative_path_input;
      break;
    case CommandId::ShowMainWindow:
      s.enabled = state.main_window_hidden || state.app_minimized;
      break;
    case CommandId::kLivePreview:
      s.checked = state.live_preview_running;
      break;
    case CommandId::kStopLivePreview:
      s.enabled = state.live_preview_running;
      break;
    default:
      if (std::optional<BrowserSize> size = BrowserSizeOf(node.command)) {
        s.enabled = BrowserSizeFits(*size, state.screen_width, state.screen_height);
      }
      break;
  }
  return s;
}

std::vector<ItemState> OpenTimeStates(const std::vector<MenuNode>& items, const UiState& state) {
  std::vector<ItemState> states;
  states.reserve(items.size());
  for (const MenuNode& node : items) states.push_back(OpenTimeState(node, state));
  return states;
}

std::optional<BrowserSize> BrowserSizeOf(CommandId command) {
  for (const SizedCommand& c : kBrowserSizes) {
    if (c.command == command) return c.size;
  }
  return std::nullopt;
}

bool BrowserSizeFits(BrowserSize size, int screen_width, int screen_height) {
  return size.width < screen_width && size.height < screen_height;
}

bool ShowsImages(const MenuModel& menu, bool menu_img) { return menu.icon_switch && menu_img; }

}  // namespace tagsling::ui
