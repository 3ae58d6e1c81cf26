#include "ui/LivePreview.h"

#include <algorithm>

#include "preview/LivePreviewMessages.h"
#include "preview/LivePreviewPlan.h"
#include "ui/Win32TextTools.h"
#include "win/Window.h"

namespace tagsling::ui {
namespace {

constexpr UINT kServerNews = WM_APP + 0x29;
constexpr win::WindowClassSpec kNewsClass = {.name = L"TTagslingLivePreview"};

std::uint16_t PortSetting(const settings::AppSettings& settings) {
  return static_cast<std::uint16_t>(std::clamp(settings.LivePreviewPort, 0, 65535));
}

}  // namespace

LivePreview::LivePreview(const ExternalHostWindows& windows)
    : host_(windows),
      server_({.serving =
                   [this](std::uint16_t port) {
                     Queue({port, {}});
                   },
               .stopped =
                   [this](const std::string& message) {
                     Queue({std::nullopt, message});
                   }}) {
  window_ = win::CreateOwnedWindow(kNewsClass, {.parent = HWND_MESSAGE}, this);
}

LivePreview::~LivePreview() {
  if (window_) DestroyWindow(window_);
}

void LivePreview::Queue(News news) {
  {
    std::lock_guard lock(mutex_);
    news_.push_back(std::move(news));
  }
  PostMessageW(window_, kServerNews, 0, 0);
}

LRESULT LivePreview::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != kServerNews) return DefWindowProcW(window, message, wparam, lparam);
  TakeNews();
  return 0;
}

void LivePreview::TakeNews() {
  std::deque<News> taken;
  {
    std::lock_guard lock(mutex_);
    taken.swap(news_);
  }
  for (News& news : taken) {
    if (!wanted_) continue;  // news of a server already stopped
    if (news.serving_port) {
      port_ = *news.serving_port;
      served_ = asked_folder_;
      if (!page_to_open_.empty()) OpenPage(std::exchange(page_to_open_, {}));
    } else {
      wanted_ = false;
      served_.reset();
      page_to_open_.clear();
      texttools::ReportWithBracket(MainTextToolsContext(), news.message);
    }
  }
}

void LivePreview::Serve(const platform::WideText& folder, const std::string& url_path) {
  wanted_ = true;
  asked_folder_ = folder;
  page_to_open_ = url_path;
  server_.Serve(std::wstring(folder.begin(), folder.end()), PortSetting(MainTextToolsContext().settings));
}

void LivePreview::OpenPage(const std::string& url_path) {
  texttools::TextToolsContext& context = MainTextToolsContext();
  const platform::WideText browser = context.platform.codec.SjisToWide(context.settings.LivePreviewBrowser);
  const external::ShellStart start = preview::BrowserStart(browser, preview::PageAddress(port_, url_path));
  if (external::ShellStartFailed(host_.StartThroughShell(start))) {
    texttools::ReportWithBracket(context, std::string(preview::text::kBrowserCannotRun));
  }
}

void LivePreview::Stop() {
  wanted_ = false;
  served_.reset();
  page_to_open_.clear();
  server_.Stop();
}

void LivePreview::RunCommand() { preview::LivePreviewCommand(MainTextToolsContext(), *this); }

void RegisterLivePreviewHandlers(CommandHandlers& handlers, LivePreview& preview) {
  CommandHandlers::Registration registration = handlers.Register(CommandRegistrar::kLivePreview);
  registration.Set(CommandId::kLivePreview, [&preview](const CommandInvocation&) { preview.RunCommand(); });
  registration.Set(CommandId::kStopLivePreview,
                   [&preview](const CommandInvocation&) { preview::StopLivePreviewCommand(preview); });
  registration.Finish();
}

}  // namespace tagsling::ui
