#include "ui/PaletteSettingsEnvironment.h"

namespace tagsling::ui {

settings::WindowBounds PaletteSettingsEnvironment::MainWindowBounds() const {
  settings::WindowBounds bounds;
  if (!window_ || !window_->Window()) return bounds;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  RECT rect{};
  // A hidden or minimized window reports its normal rectangle in workspace
  // coordinates, which match the screen for a window along the top edge.
  if (IsWindowVisible(window_->Window()) && !IsIconic(window_->Window())) {
    GetWindowRect(window_->Window(), &rect);
  } else if (GetWindowPlacement(window_->Window(), &placement)) {
    rect = placement.rcNormalPosition;
  }
  bounds.left = rect.left;
  bounds.top = rect.top;
  bounds.width = rect.right - rect.left;
  bounds.height = rect.bottom - rect.top;
  return bounds;
}

bool PaletteSettingsEnvironment::MainWindowZoomed() const { return window_ && window_->Zoomed(); }
bool PaletteSettingsEnvironment::MainWindowDocked() const { return window_ && window_->Docked(); }

void PaletteSettingsEnvironment::ApplyMainWindowPlacement(int width, int top, int left, bool maximized) {
  if (window_) window_->ApplyPlacement(width, top, left, maximized);
}

int PaletteSettingsEnvironment::GetSystemMetric(settings::SystemMetric metric) const {
  constexpr UINT kLogicalDpi = 96;
  switch (metric) {
    case settings::SystemMetric::kCaptionHeight:
      return GetSystemMetricsForDpi(SM_CYCAPTION, kLogicalDpi);
    case settings::SystemMetric::kMenuHeight:
      return GetSystemMetricsForDpi(SM_CYMENU, kLogicalDpi);
    case settings::SystemMetric::kFrameHeight:
      // The visible sizing frame includes the padding of current Windows.
      return GetSystemMetricsForDpi(SM_CYFRAME, kLogicalDpi) + GetSystemMetricsForDpi(SM_CXPADDEDBORDER, kLogicalDpi);
    case settings::SystemMetric::kEdgeHeight:
      return GetSystemMetricsForDpi(SM_CYEDGE, kLogicalDpi);
    case settings::SystemMetric::kBorderHeight:
      return GetSystemMetricsForDpi(SM_CYBORDER, kLogicalDpi);
  }
  return 0;
}

std::string PaletteSettingsEnvironment::WindowsDirectory() const { return system_.WindowsDirectory(); }
settings::OsVersion PaletteSettingsEnvironment::GetOsVersion() const { return system_.GetOsVersion(); }
std::optional<std::string> PaletteSettingsEnvironment::ReadMachineRegistryDefault(const std::string& key_path) const {
  return system_.ReadMachineRegistryDefault(key_path);
}
std::string PaletteSettingsEnvironment::FirstCommandLineArgument() const { return system_.FirstCommandLineArgument(); }

}  // namespace tagsling::ui
