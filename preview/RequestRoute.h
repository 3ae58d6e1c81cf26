#pragma once
// Which answer the live-preview server gives a request, decided from the
// request line and the Host header alone. The server only carries out the
// route: it reads the file named here (and then checks the final path of the
// opened file, which no text rule can know), or joins the event stream.
//
// Rules, in order:
// - only GET and HEAD (405 otherwise);
// - Host must be "127.0.0.1:PORT" or "localhost:PORT" (403 otherwise), so a
//   page of another site whose name was rebound to 127.0.0.1 cannot read the
//   served folder;
// - the path is percent-decoded once and split at "/"; every segment must be
//   a plain Windows file name: not empty, not "." or "..", no "\\", ":" (drive
//   letters, alternate streams such as "::$DATA"), control characters or any
//   of <>"|?*, no trailing dot or space, no device name (CON, NUL, COM1 ...,
//   with or without an extension); decoded text must be UTF-8 (404
//   otherwise). A path ending in "/" names that folder's "index.html";
//   folders are never listed.
// The query and fragment are ignored.

#include <cstdint>
#include <string>
#include <string_view>

namespace tagsling::preview {

// The server's own paths, which no file of the site can shadow.
inline constexpr std::string_view kEventsPath = "/__tagsling/events";
inline constexpr std::string_view kOwnPrefix = "/__tagsling/";

enum class RouteKind : std::uint8_t {
  kRefuse,  // answer `status` with no body from the site
  kFile,    // the file `relative_path` under the served folder
  kEvents,  // the change event stream
};

struct Route {
  RouteKind kind = RouteKind::kRefuse;
  int status = 404;
  std::string relative_path;  // UTF-8, segments joined with "/", never empty for kFile
  bool operator==(const Route&) const = default;
};

Route RouteRequest(std::string_view method, std::string_view target, std::string_view host, std::uint16_t port);

// The Host rule alone.
bool IsAllowedHost(std::string_view host, std::uint16_t port);

// The path rule alone: the file's path relative to the folder, or "" when
// the target is refused.
std::string MapRequestPath(std::string_view target);

// Whether one decoded segment may name a file under the served folder.
bool IsPlainFileName(std::string_view segment);

}  // namespace tagsling::preview
