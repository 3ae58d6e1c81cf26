#pragma once
// The live-preview server: HTTP/1.1 on 127.0.0.1 (Boost.Beast over
// Boost.Asio) for one folder, with an event stream that tells the open
// pages to reload when a file under the folder changes
// (ReadDirectoryChangesW, subfolders included, grouped by ChangeBatcher).
//
// Everything runs on the server's own thread. The calls below only hand a
// request to that thread and return at once; what happens later is told
// through ServerEvents, called on the server thread (the owner passes it on
// to its own thread). The rules of what is answered are preview/'s portable
// ones; this file carries them out and adds the one check no text rule can
// make: the final path of the opened file (links and junctions resolved)
// must lie inside the served folder's final path.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace tagsling::preview {

struct ServerEvents {
  // The server listens on `port` and serves the folder last asked for.
  std::function<void(std::uint16_t port)> serving;
  // The server stopped for `message` (code page 932, ready to show).
  std::function<void(const std::string& message)> stopped;
};

class LivePreviewServer {
 public:
  explicit LivePreviewServer(ServerEvents events);
  // Stops the server and waits for its threads (quitting closes the port).
  ~LivePreviewServer();
  LivePreviewServer(const LivePreviewServer&) = delete;
  LivePreviewServer& operator=(const LivePreviewServer&) = delete;

  // Starts the server on `folder` (port_setting 0: the first free port from
  // kFirstAutomaticPort on), or moves a running one there on the same port.
  void Serve(const std::wstring& folder, std::uint16_t port_setting);
  // Closes the port and every connection; returns at once.
  void Stop();

  struct Core;

 private:
  ServerEvents events_;
  std::shared_ptr<Core> core_;
  // The server's threads: the running one and those that were told to
  // stop, joined only when the program quits, so no call here waits.
  std::vector<std::thread> threads_;
};

}  // namespace tagsling::preview
