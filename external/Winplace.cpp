#include "external/Winplace.h"

#include "texttools/EditorClass.h"
#include "texttools/PathText.h"

namespace tagsling::external {

std::optional<WindowPlacement> ComputeFreeArea(const platform::Rect& work_area, const PaletteState& palette) {
  platform::Rect area = work_area;
  if (!palette.visible) return std::nullopt;
  if (!palette.docked) {
    if (!palette.maximised || palette.application_minimised) return std::nullopt;
    area.top = palette.window_rect.bottom;
  }
  if (area.right <= area.left || area.bottom <= area.top) return std::nullopt;
  return WindowPlacement{area.left, area.top, area.right - area.left, area.bottom - area.top};
}

bool IsEditorWindow(const WindowInfo& window, const settings::AppSettings& settings,
                    const std::string& windows_family) {
  if (!settings.EditorWindowClass.empty())
    return texttools::IsEditorClass(window.class_name, settings.EditorWindowClass);
  if (windows_family == "WinNT" || window.exe_name.empty()) return false;
  // The process list gives a file name (a full path on some systems):
  // compare the file-name parts, as FindEditorWindow does.
  return texttools::SameTextIgnoringCase(texttools::FileNamePart(window.exe_name),
                                         texttools::FileNamePart(settings.EditorFile));
}

EditorFitPlan PlanEditorFit(const WindowInfo& window, const settings::AppSettings& settings,
                            const std::string& windows_family, const std::optional<WindowPlacement>& free_area) {
  EditorFitPlan plan;
  if (window.handle == platform::kNoWindow || window.class_name == "#32770") return plan;
  if (!IsEditorWindow(window, settings, windows_family)) return plan;
  if (window.minimised || !free_area) return plan;
  plan.move = true;
  plan.window = window.handle;
  plan.restore_first = window.maximised;
  plan.placement = *free_area;
  return plan;
}

}  // namespace tagsling::external
