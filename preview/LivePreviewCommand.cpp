#include "preview/LivePreviewCommand.h"

#include "preview/LivePreviewPlan.h"
#include "texttools/BaseFolder.h"

namespace tagsling::preview {

void LivePreviewCommand(external::ExternalContext& context, LivePreviewControl& control) {
  const platform::WideText document = texttools::GetEditorDocumentPath(context.text, false);
  if (document.empty()) return;  // the lookup has told the user why
  const platform::WideText base = context.text.platform.codec.SjisToWide(context.text.settings.Public_Dir);
  const LivePreviewPlan plan = PlanLivePreview(document, base, control.ServedFolder());
  switch (plan.action) {
    case LivePreviewPlan::Action::kReport:
      texttools::ReportWithBracket(context.text, plan.message);
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
