#pragma once
// The live preview in the palette program: the server (preview/win), the
// commands "ライブプレビュー" and "ライブプレビューを停止", and the hand-over
// of the server's news to the palette's thread.
//
// The server's thread never touches the palette: it queues its news here
// and posts a message to a message-only window of this object; the palette's
// thread then opens the page or shows the report. No call of the palette's
// thread waits for the server, except the join when the program quits.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "preview/LivePreviewCommand.h"
#include "preview/win/LivePreviewServer.h"
#include "ui/Win32ExternalHost.h"
#include "ui/model/CommandHandlers.h"

namespace tagsling::ui {

class LivePreview final : public preview::LivePreviewControl {
 public:
  explicit LivePreview(const ExternalHostWindows& windows);
  ~LivePreview() override;
  LivePreview(const LivePreview&) = delete;
  LivePreview& operator=(const LivePreview&) = delete;

  // While the server serves a folder: the menu item's check mark.
  bool Running() const { return served_.has_value(); }

  // LivePreviewControl.
  std::optional<platform::WideText> ServedFolder() override { return served_; }
  void Serve(const platform::WideText& folder, const std::string& url_path) override;
  void OpenPage(const std::string& url_path) override;
  void Stop() override;

  void RunCommand();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  struct News {
    std::optional<std::uint16_t> serving_port;  // else stopped with `message`
    std::string message;
  };
  void Queue(News news);
  void TakeNews();

  Win32ExternalHost host_;
  HWND window_ = nullptr;
  std::mutex mutex_;
  std::deque<News> news_;
  // The palette thread's view of the server.
  bool wanted_ = false;  // asked to serve and not stopped since
  std::uint16_t port_ = 0;
  platform::WideText asked_folder_;
  std::optional<platform::WideText> served_;
  std::string page_to_open_;
  // Last: stopped and joined first when the program quits.
  preview::LivePreviewServer server_;
};

// Registers the two commands on `preview`, which outlives the handlers' use.
void RegisterLivePreviewHandlers(CommandHandlers& handlers, LivePreview& preview);

}  // namespace tagsling::ui
