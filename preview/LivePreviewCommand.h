#pragma once
// The commands "ライブプレビュー" and "ライブプレビューを停止" as whole
// procedures on the text tools' context and a LivePreviewControl, the
// running server as the command sees it. The server works on its own
// thread: the control's calls only ask for something and return at once;
// the control reports what fails later (port taken, folder gone) itself.

#include <optional>
#include <string>

#include "platform/Types.h"
#include "texttools/TextToolsContext.h"

namespace tagsling::preview {

class LivePreviewControl {
 public:
  virtual ~LivePreviewControl() = default;
  // The folder served now, nullopt while no preview runs.
  virtual std::optional<platform::WideText> ServedFolder() = 0;
  // Starts the server on `folder` (or moves it there) and, once it listens,
  // opens `url_path` in the browser.
  virtual void Serve(const platform::WideText& folder, const std::string& url_path) = 0;
  // Opens `url_path` of the running server in the browser.
  virtual void OpenPage(const std::string& url_path) = 0;
  virtual void Stop() = 0;
};

// Finds the editor's document (GetEditorDocumentPath, file wanted) and
// serves and opens it as PlanLivePreview decides.
void LivePreviewCommand(texttools::TextToolsContext& context, LivePreviewControl& control);
void StopLivePreviewCommand(LivePreviewControl& control);

}  // namespace tagsling::preview
