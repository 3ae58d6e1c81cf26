#include "preview/LivePreviewCommand.h"

#include "preview/LivePreviewPlan.h"
#include "texttools/BaseFolder.h"

namespace tagsling::preview {

void LivePreviewCommand(texttools::TextToolsContext& context, LivePreviewControl& control) {
  const platform::WideText document = texttools::GetEditorDocumentPath(context, false);
  if (document.empty()) return;  // the lookup has told the user why
  const platform::WideText base = context.platform.codec.SjisToWide(context.settings.Public_Dir);
  const LivePreviewPlan plan = PlanLivePreview(document, base, control.ServedFolder());
  switch (plan.action) {
    case LivePreviewPlan::Action::kReport:
      texttools::ReportWithBracket(context, plan.message);
      return;
    case LivePreviewPlan::Action::kOpen:
      control.OpenPage(plan.url_path);
      return;
    case LivePreviewPlan::Action::kServe:
      control.Serve(plan.folder, plan.url_path);
      return;
  }
}

void StopLivePreviewCommand(LivePreviewControl& control) { control.Stop(); }

}  // namespace tagsling::preview
