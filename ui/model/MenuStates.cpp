#include "ui/model/MenuStates.h"

namespace tagsling::ui {
namespace {

struct SizedCommand {
  CommandId command;
  BrowserSize size;
};

// The hot-key forms resize the foreground window to the same sizes.
constexpr SizedCommand kBrowserSizes[] = {
    {CommandId::kBrowserSize640, {640, 480}},       {CommandId::kBrowserSize800, {800, 600}},
    {CommandId::kBrowserSize1024, {1024, 768}},     {CommandId::kForegroundBrowser640, {640, 480}},
    {CommandId::kForegroundBrowser800, {800, 600}}, {CommandId::kForegroundBrowser1024, {1024, 768}},
};

}  // namespace

ItemState OpenTimeState(const MenuNode& node, const UiState& state) {
  ItemState s;
  s.enabled = node.enabled;
  switch (node.command) {
    case CommandId::kToggleSandwich:
      s.checked = state.sandwich_mode;
      break;
    case CommandId::kToggleOnTop:
      s.checked = state.on_top;
      s.enabled = !state.docked;
      break;
    case CommandId::kClearBaseFolder:
      s.enabled = state.base_folder_set;
      break;
    case CommandId::kToggleRelativePath:
      s.checked = state.relative_path_input;
      break;
    case CommandId::kShowMainWindow:
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
