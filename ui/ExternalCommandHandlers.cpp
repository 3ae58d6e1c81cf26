#include "ui/ExternalCommandHandlers.h"

#include <memory>

#include "external/ExternalCommands.h"
#include "ui/Busy.h"
#include "ui/Win32ExternalHost.h"
#include "ui/Win32TextTools.h"

namespace tagsling::ui {

void RegisterExternalCommandHandlers(CommandHandlers& handlers, const ExternalHostWindows& windows) {
  using enum CommandId;
  using external::Browser;
  using external::WindowChoice;
  // Each handler holds the shared host, so it lives as long as any handler.
  // The text tools' context is taken at each run: it is set up after these
  // handlers are registered and may be replaced.
  auto host = std::make_shared<Win32ExternalHost>(windows);
  CommandHandlers::Registration registration = handlers.Register(CommandRegistrar::kExternalPrograms);
  auto add = [&registration, host](CommandId command, std::function<void(external::ExternalContext&, int entry)> run) {
    registration.Set(command, [host, run](const CommandInvocation& c) {
      external::ExternalContext context{MainTextToolsContext(), *host};
      run(context, c.entry);
    });
  };
  add(kRunExternalTool, [](external::ExternalContext& c, int entry) { external::RunExternalTool(c, entry); });
  add(kPreviewIE, [](external::ExternalContext& c, int) { PreviewCommand(c, Browser::kInternetExplorer); });
  add(kPreviewNN, [](external::ExternalContext& c, int) { PreviewCommand(c, Browser::kNetscapeNavigator); });
  // The reload lets messages through for a few seconds: no command may start
  // meanwhile (its keys would reach the browser, or F5 the editor).
  add(kPreviewDefaultBrowser, [](external::ExternalContext& c, int) {
    BusyScope busy(BusyFlag::kWaitingForProgram);
    external::PreviewInDefaultBrowserCommand(c);
  });

  struct SizeCommand {
    CommandId command;
    std::size_t size;
    WindowChoice choice;
  };
  constexpr SizeCommand kSizeCommands[] = {
      {kBrowserSize640, 0, WindowChoice::kTarget},           {kBrowserSize800, 1, WindowChoice::kTarget},
      {kBrowserSize1024, 2, WindowChoice::kTarget},          {kForegroundBrowser640, 0, WindowChoice::kForeground},
      {kForegroundBrowser800, 1, WindowChoice::kForeground}, {kForegroundBrowser1024, 2, WindowChoice::kForeground},
  };
  for (const SizeCommand& size : kSizeCommands) {
    add(size.command, [size](external::ExternalContext& c, int) {
      external::ResizeBrowser(c, external::kBrowserSizes[size.size], size.choice);
    });
  }

  add(kEditorNew, [](external::ExternalContext& c, int) { external::EditorNewCommand(c); });
  add(kEditorOpen, [](external::ExternalContext& c, int) { external::EditorOpenCommand(c); });
  add(kEditorToFreeArea,
      [](external::ExternalContext& c, int) { external::FitEditorToFreeArea(c, WindowChoice::kTarget); });
  add(kForegroundEditorToFreeArea,
      [](external::ExternalContext& c, int) { external::FitEditorToFreeArea(c, WindowChoice::kForeground); });
  registration.Finish();
}

}  // namespace tagsling::ui
