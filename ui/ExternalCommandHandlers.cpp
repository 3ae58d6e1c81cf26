#include "ui/ExternalCommandHandlers.h"

#include <memory>

#include "external/ExternalCommands.h"
#include "platform/win32/Win32SettingsEnvironment.h"
#include "settings/RegisteredLists.h"
#include "texttools/FileSystem.h"
#include "ui/ExternalTextToolsAdapter.h"
#include "ui/Win32ExternalHost.h"

namespace tagsling::ui {
namespace {

platform::WindowHandle ToHandle(HWND window) { return reinterpret_cast<platform::WindowHandle>(window); }

std::string WindowsFamily() {
  const platform::win32::Win32SettingsEnvironment environment(platform::kNoWindow, nullptr);
  return settings::GetWindowsFamily(environment);
}

// Everything the commands work on, made once and shared by the handlers.
struct ExternalCommandState {
  explicit ExternalCommandState(const ExternalCommandSetup& setup)
      : files(&setup.desktop),
        input(setup.main, setup.application, setup.desktop),
        host({setup.main, setup.application, setup.docked, setup.settings_path}),
        text{setup.desktop.platform(),
             setup.settings,
             files,
             probe,
             {ToHandle(setup.main), ToHandle(setup.application)},
             settings::ThroughWindowClasses(),
             WindowsFamily(),
             ToHandle(setup.main),
             &input,
             nullptr},
        context{text, host} {}

  texttools::NativeFileSystem files;
  Win32EditorProbe probe;
  ExternalCommandsInputHost input;
  Win32ExternalHost host;
  texttools::TextToolsContext text;
  external::ExternalContext context;
};

}  // namespace

void RegisterExternalCommandHandlers(CommandHandlers& handlers, const ExternalCommandSetup& setup) {
  using enum CommandId;
  using external::Browser;
  using external::WindowChoice;
  auto state = std::make_shared<ExternalCommandState>(setup);
  // Each handler holds the shared state, so it lives as long as any handler.
  auto add = [&handlers, state](CommandId command, std::function<void(external::ExternalContext&, int entry)> run) {
    handlers.Set(command, [state, run](const CommandInvocation& c) { run(state->context, c.action.entry); });
  };
  add(RunExternalTool, [](external::ExternalContext& c, int entry) { external::RunExternalTool(c, entry); });
  add(PreviewIE, [](external::ExternalContext& c, int) { PreviewCommand(c, Browser::kInternetExplorer); });
  add(PreviewNN, [](external::ExternalContext& c, int) { PreviewCommand(c, Browser::kNetscapeNavigator); });

  struct SizeCommand {
    CommandId command;
    std::size_t size;
    WindowChoice choice;
  };
  constexpr SizeCommand kSizeCommands[] = {
      {BrowserSize640, 0, WindowChoice::kTarget},        {BrowserSize800, 1, WindowChoice::kTarget},
      {BrowserSize1024, 2, WindowChoice::kTarget},       {ForegroundBrowser640, 0, WindowChoice::kForeground},
      {ForegroundBrowser800, 1, WindowChoice::kForeground}, {ForegroundBrowser1024, 2, WindowChoice::kForeground},
  };
  for (const SizeCommand& size : kSizeCommands) {
    add(size.command, [size](external::ExternalContext& c, int) {
      external::ResizeBrowser(c, external::kBrowserSizes[size.size], size.choice);
    });
  }

  add(EditorNew, [](external::ExternalContext& c, int) { external::EditorNewCommand(c); });
  add(EditorOpen, [](external::ExternalContext& c, int) { external::EditorOpenCommand(c); });
  add(EditorToFreeArea,
      [](external::ExternalContext& c, int) { external::FitEditorToFreeArea(c, WindowChoice::kTarget); });
  add(ForegroundEditorToFreeArea,
      [](external::ExternalContext& c, int) { external::FitEditorToFreeArea(c, WindowChoice::kForeground); });
}

}  // namespace tagsling::ui
