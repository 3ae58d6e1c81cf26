// The server's thread runs one io_context: the acceptor, every connection,
// the folder watcher and the grouping timer are driven by it, so nothing is
// locked except the hand-over of requests from other threads (posted to the
// io_context). Connections are sessions that read one request head at a
// time (at most kHeadLimit bytes) and answer it; a request for the event
// stream turns its session into a stream that the watcher writes events to.

#include "preview/win/LivePreviewServer.h"

#include <winsock2.h>
// winsock2 first, then the rest of the system headers through Asio.
#include <atomic>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/windows/overlapped_ptr.hpp>
#include <boost/asio/windows/stream_handle.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/string_body.hpp>
#include <boost/beast/http/write.hpp>
#include <chrono>
#include <deque>
#include <list>
#include <optional>
#include <thread>
#include <vector>

#include "preview/ByteRange.h"
#include "preview/ChangeBatcher.h"
#include "preview/ContentTypes.h"
#include "preview/LivePreviewMessages.h"
#include "preview/LivePreviewPlan.h"
#include "preview/ReloadScript.h"
#include "preview/RequestRoute.h"
#include "preview/win/SiteFile.h"

namespace tagsling::preview {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;

namespace {

constexpr std::size_t kHeadLimit = 8 * 1024;
constexpr std::size_t kBodyLimit = 8 * 1024;
constexpr int kConnectionLimit = 64;
constexpr std::chrono::seconds kRequestTimeout{30};
constexpr std::chrono::seconds kFolderCheckPeriod{1};
// The event stream's first words: reconnect half a second after a break.
constexpr std::string_view kStreamStart = "retry: 500\n\n";

std::string EventText(BrowserEvent event) {
  return event == BrowserEvent::kCss ? "event: css\ndata: \n\n" : "event: reload\ndata: \n\n";
}

template <typename Message>
void SetCommonFields(Message& message) {
  message.set(http::field::cache_control, "no-store");
  message.set("X-Content-Type-Options", "nosniff");
}

std::string_view Text(beast::string_view text) { return {text.data(), text.size()}; }

bool FolderExists(const std::wstring& folder) {
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

class Session;

struct LivePreviewServer::Core : std::enable_shared_from_this<LivePreviewServer::Core> {
  explicit Core(ServerEvents server_events) : events(std::move(server_events)) {}

  ServerEvents events;
  asio::io_context io{1};
  tcp::acceptor acceptor{io};
  std::uint16_t port = 0;
  std::wstring folder;
  std::wstring folder_final;
  int connections = 0;
  std::list<std::weak_ptr<Session>> sessions;  // every open connection
  std::list<std::weak_ptr<Session>> streams;   // the event streams among them

  // The watcher.
  std::optional<asio::windows::stream_handle> watch;
  std::vector<DWORD> notices = std::vector<DWORD>(16 * 1024);  // DWORD aligned, as the system needs
  ChangeBatcher batcher;
  asio::steady_timer group_timer{io};
  asio::steady_timer folder_timer{io};
  std::atomic<bool> stopped{false};

  // On the server thread.
  void Start(std::uint16_t port_setting);
  bool Listen(std::uint16_t port_setting, std::string& failure);
  void Accept();
  void ServeFolder(const std::wstring& new_folder);
  void WatchFolder();
  void ArmWatch();
  void OnNotices(const boost::system::error_code& error, std::size_t bytes);
  void ScheduleGroup();
  void CheckFolder();
  void Broadcast(BrowserEvent event);
  void Shut(const std::string& message);
};

class Session : public std::enable_shared_from_this<Session> {
 public:
  Session(tcp::socket socket, std::shared_ptr<LivePreviewServer::Core> core)
      : stream_(std::move(socket)), core_(std::move(core)) {
    ++core_->connections;
  }
  ~Session() { --core_->connections; }

  void Read() {
    parser_.emplace();
    parser_->header_limit(kHeadLimit);
    parser_->body_limit(kBodyLimit);
    stream_.expires_after(kRequestTimeout);
    http::async_read(stream_, buffer_, *parser_,
                     [self = shared_from_this()](beast::error_code error, std::size_t) { self->OnRead(error); });
  }

  // Events are queued and written one at a time.
  void Push(const std::string& text) {
    outbox_.push_back(text);
    if (outbox_.size() == 1) WriteNext();
  }

  void Close() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
    stream_.close();
  }

 private:
  void OnRead(beast::error_code error) {
    if (error == http::error::header_limit) {
      http::response<http::empty_body> refusal{http::status::request_header_fields_too_large, 11};
      SetCommonFields(refusal);
      refusal.keep_alive(false);
      refusal.content_length(0);
      Send(std::move(refusal));
      return;
    }
    if (error) return Close();
    const http::request<http::string_body>& request = parser_->get();
    const Route route = RouteRequest(Text(request.method_string()), Text(request.target()),
                                     Text(request[http::field::host]), core_->port);
    switch (route.kind) {
      case RouteKind::kRefuse:
        return Refuse(static_cast<http::status>(route.status));
      case RouteKind::kEvents:
        return StartStream();
      case RouteKind::kFile:
        return ServeFile(route.relative_path);
    }
  }

  void Refuse(http::status status) {
    http::response<http::empty_body> refusal{status, 11};
    SetCommonFields(refusal);
    if (status == http::status::method_not_allowed) refusal.set(http::field::allow, "GET, HEAD");
    refusal.content_length(0);
    refusal.keep_alive(parser_->get().keep_alive());
    Send(std::move(refusal));
  }

  void ServeFile(const std::string& relative) {
    std::optional<SiteFile> file = SiteFile::Open(core_->folder, core_->folder_final, relative);
    if (!file) return Refuse(http::status::not_found);
    const ContentType type = ContentTypeFor(relative);
    const bool head = parser_->get().method() == http::verb::head;
    ByteRange range;
    if (type.media) range = ParseByteRange(Text(parser_->get()[http::field::range]), file->size());
    if (range.kind == ByteRange::Kind::kUnsatisfiable) {
      http::response<http::empty_body> refusal{http::status::range_not_satisfiable, 11};
      SetCommonFields(refusal);
      refusal.set(http::field::content_range, ContentRange(range, file->size()));
      refusal.content_length(0);
      refusal.keep_alive(parser_->get().keep_alive());
      return Send(std::move(refusal));
    }
    const bool partial = range.kind == ByteRange::Kind::kPartial;
    const std::uint64_t first = partial ? range.first : 0;
    const std::uint64_t count = partial ? range.last - range.first + 1 : file->size();
    std::string body;
    if (!head || type.html) {
      if (!file->Read(first, count, body)) return Refuse(http::status::not_found);
    }
    if (type.html) body = InjectReloadScript(body);
    http::response<http::string_body> answer{partial ? http::status::partial_content : http::status::ok, 11};
    SetCommonFields(answer);
    answer.set(http::field::content_type, std::string(type.mime));
    if (type.media) answer.set(http::field::accept_ranges, "bytes");
    if (partial) answer.set(http::field::content_range, ContentRange(range, file->size()));
    answer.keep_alive(parser_->get().keep_alive());
    // The bytes read: a file that became shorter meanwhile gives fewer.
    answer.content_length(head && !type.html ? count : body.size());
    if (!head) answer.body() = std::move(body);
    Send(std::move(answer));
  }

  template <typename Body>
  void Send(http::response<Body>&& message) {
    auto shared = std::make_shared<http::response<Body>>(std::move(message));
    stream_.expires_after(kRequestTimeout);
    http::async_write(stream_, *shared, [self = shared_from_this(), shared](beast::error_code error, std::size_t) {
      if (error || !shared->keep_alive()) return self->Close();
      self->Read();
    });
  }

  void StartStream() {
    auto header = std::make_shared<http::response<http::empty_body>>(http::status::ok, 11);
    SetCommonFields(*header);
    header->set(http::field::content_type, "text/event-stream");
    auto serializer = std::make_shared<http::response_serializer<http::empty_body>>(*header);
    stream_.expires_never();
    http::async_write_header(stream_, *serializer,
                             [self = shared_from_this(), header, serializer](beast::error_code error, std::size_t) {
                               if (error) return self->Close();
                               self->core_->streams.push_back(self);
                               self->Push(std::string(kStreamStart));
                               self->WatchForClose();
                             });
  }

  // A stream's browser sends nothing more; a read that ends tells that it left.
  void WatchForClose() {
    stream_.async_read_some(asio::buffer(discard_), [self = shared_from_this()](beast::error_code error, std::size_t) {
      if (error) return self->Close();
      self->WatchForClose();
    });
  }

  void WriteNext() {
    asio::async_write(stream_.socket(), asio::buffer(outbox_.front()),
                      [self = shared_from_this()](beast::error_code error, std::size_t) {
                        if (error) return self->Close();
                        self->outbox_.pop_front();
                        if (!self->outbox_.empty()) self->WriteNext();
                      });
  }

  beast::tcp_stream stream_;
  std::shared_ptr<LivePreviewServer::Core> core_;
  beast::flat_buffer buffer_{kHeadLimit + kBodyLimit};
  std::optional<http::request_parser<http::string_body>> parser_;
  std::deque<std::string> outbox_;
  char discard_[256];
};

bool LivePreviewServer::Core::Listen(std::uint16_t port_setting, std::string& failure) {
  const std::uint16_t first = port_setting ? port_setting : kFirstAutomaticPort;
  const int tries = port_setting ? 1 : kAutomaticPortCount;
  for (int i = 0; i < tries; ++i) {
    const auto candidate = static_cast<std::uint16_t>(first + i);
    boost::system::error_code error;
    acceptor.close(error);
    acceptor.open(tcp::v4(), error);
    if (error) break;
    // The port stays ours alone: no other socket may bind it while we
    // listen (Windows lets SO_REUSEADDR take a bound port otherwise).
    BOOL exclusive = TRUE;
    setsockopt(acceptor.native_handle(), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive),
               sizeof exclusive);
    acceptor.bind(tcp::endpoint(asio::ip::make_address_v4("127.0.0.1"), candidate), error);
    if (!error) acceptor.listen(asio::socket_base::max_listen_connections, error);
    if (!error) {
      port = candidate;
      return true;
    }
  }
  acceptor.close();
  failure = port_setting ? text::kPortTakenOpen + std::to_string(port_setting) + text::kPortTakenClose
                         : std::string(text::kNoFreePort);
  return false;
}

void LivePreviewServer::Core::Accept() {
  acceptor.async_accept([self = shared_from_this()](boost::system::error_code error, tcp::socket socket) {
    if (error == asio::error::operation_aborted || self->stopped) return;
    if (!error) {
      if (self->connections >= kConnectionLimit) {
        boost::system::error_code ignored;
        socket.close(ignored);  // refused: too many open connections
      } else {
        auto session = std::make_shared<Session>(std::move(socket), self);
        self->sessions.remove_if([](const std::weak_ptr<Session>& weak) { return weak.expired(); });
        self->sessions.push_back(session);
        session->Read();
      }
    }
    self->Accept();
  });
}

void LivePreviewServer::Core::ServeFolder(const std::wstring& new_folder) {
  folder = new_folder;
  folder_final = FolderFinalPath(folder);
  if (folder_final.empty()) return Shut(std::string(text::kServerFailed));
  WatchFolder();
  if (events.serving) events.serving(port);
}

void LivePreviewServer::Core::WatchFolder() {
  if (watch) {
    boost::system::error_code ignored;
    watch->close(ignored);
    watch.reset();
  }
  HANDLE handle =
      CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  boost::system::error_code error;
  watch.emplace(io);
  watch->assign(handle, error);
  if (error) {
    CloseHandle(handle);
    watch.reset();
    return;
  }
  ArmWatch();
}

void LivePreviewServer::Core::ArmWatch() {
  if (!watch) return;
  asio::windows::overlapped_ptr overlapped(io, [self = shared_from_this(), handle = watch->native_handle()](
                                                   boost::system::error_code error, std::size_t bytes) {
    // A completion of a watch replaced meanwhile (moved to another folder) is old news.
    if (!self->watch || self->watch->native_handle() != handle) return;
    self->OnNotices(error, bytes);
  });
  constexpr DWORD kFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
                            FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_CREATION;
  const BOOL ok =
      ReadDirectoryChangesW(watch->native_handle(), notices.data(), static_cast<DWORD>(notices.size() * sizeof(DWORD)),
                            TRUE, kFilter, nullptr, overlapped.get(), nullptr);
  if (!ok) {
    overlapped.complete(boost::system::error_code(static_cast<int>(GetLastError()), asio::error::get_system_category()),
                        0);
  } else {
    overlapped.release();
  }
}

void LivePreviewServer::Core::OnNotices(const boost::system::error_code& error, std::size_t bytes) {
  const Clock::time_point now = Clock::now();
  if (error == asio::error::operation_aborted) return;
  if (error) {
    if (!FolderExists(folder)) return Shut(text::kFolderGone + std::string());
    batcher.AddOverflow(now);
    ScheduleGroup();
    return;  // the watch cannot go on; the folder check notices the folder's loss
  }
  if (bytes == 0) {
    batcher.AddOverflow(now);
  } else {
    const auto* base = reinterpret_cast<const unsigned char*>(notices.data());
    std::size_t offset = 0;
    for (;;) {
      const auto* notice = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(base + offset);
      const std::u16string_view name(reinterpret_cast<const char16_t*>(notice->FileName),
                                     notice->FileNameLength / sizeof(WCHAR));
      ChangeAction action = ChangeAction::kModified;
      switch (notice->Action) {
        case FILE_ACTION_ADDED:
          action = ChangeAction::kAdded;
          break;
        case FILE_ACTION_REMOVED:
          action = ChangeAction::kRemoved;
          break;
        case FILE_ACTION_RENAMED_OLD_NAME:
          action = ChangeAction::kRenamedOld;
          break;
        case FILE_ACTION_RENAMED_NEW_NAME:
          action = ChangeAction::kRenamedNew;
          break;
        default:
          break;
      }
      batcher.Add(name, action, now);
      if (notice->NextEntryOffset == 0 || offset + notice->NextEntryOffset >= bytes) break;
      offset += notice->NextEntryOffset;
    }
  }
  ScheduleGroup();
  ArmWatch();
}

void LivePreviewServer::Core::ScheduleGroup() {
  const std::optional<Clock::time_point> deadline = batcher.Deadline();
  if (!deadline) return;
  group_timer.expires_at(*deadline);
  group_timer.async_wait([self = shared_from_this()](boost::system::error_code error) {
    if (error) return;
    if (!FolderExists(self->folder)) return self->Shut(text::kFolderGone + std::string());
    if (std::optional<BrowserEvent> event = self->batcher.TakeDue(Clock::now())) self->Broadcast(*event);
    self->ScheduleGroup();
  });
}

void LivePreviewServer::Core::CheckFolder() {
  folder_timer.expires_after(kFolderCheckPeriod);
  folder_timer.async_wait([self = shared_from_this()](boost::system::error_code error) {
    if (error || self->stopped) return;
    if (!FolderExists(self->folder)) return self->Shut(text::kFolderGone + std::string());
    self->CheckFolder();
  });
}

void LivePreviewServer::Core::Broadcast(BrowserEvent event) {
  const std::string text = EventText(event);
  for (auto it = streams.begin(); it != streams.end();) {
    if (std::shared_ptr<Session> session = it->lock()) {
      session->Push(text);
      ++it;
    } else {
      it = streams.erase(it);
    }
  }
}

// Closes the acceptor, the watch, the timers and every connection, so that
// every handler finishes and the io_context runs out of work: the thread
// then ends and the last owner frees the server.
void LivePreviewServer::Core::Shut(const std::string& message) {
  if (stopped.exchange(true)) return;
  if (!message.empty() && events.stopped) events.stopped(message);
  boost::system::error_code ignored;
  acceptor.close(ignored);
  if (watch) watch->close(ignored);
  group_timer.cancel();
  folder_timer.cancel();
  for (const std::weak_ptr<Session>& weak : sessions) {
    if (std::shared_ptr<Session> session = weak.lock()) session->Close();
  }
  sessions.clear();
  streams.clear();
}

void LivePreviewServer::Core::Start(std::uint16_t port_setting) {
  std::string failure;
  if (!Listen(port_setting, failure)) {
    stopped = true;
    if (events.stopped) events.stopped(failure);
    return;
  }
  Accept();
  CheckFolder();
  ServeFolder(folder);
}

LivePreviewServer::LivePreviewServer(ServerEvents events) : events_(std::move(events)) {}

LivePreviewServer::~LivePreviewServer() {
  Stop();
  for (std::thread& thread : threads_) thread.join();
}

void LivePreviewServer::Serve(const std::wstring& folder, std::uint16_t port_setting) {
  if (core_ && !core_->stopped) {
    asio::post(core_->io, [core = core_, folder] { core->ServeFolder(folder); });
    return;
  }
  core_ = std::make_shared<Core>(events_);
  core_->folder = folder;
  threads_.emplace_back([core = core_, port_setting] {
    // No exception leaves the thread: a failure stops the server with a message.
    try {
      core->Start(port_setting);
      core->io.run();
    } catch (const std::exception&) {
      core->Shut(std::string(text::kServerFailed));
    }
  });
}

void LivePreviewServer::Stop() {
  if (!core_) return;
  std::shared_ptr<Core> core = std::move(core_);
  if (!core->stopped) asio::post(core->io, [core] { core->Shut({}); });
}

}  // namespace tagsling::preview
