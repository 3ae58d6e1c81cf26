// Fuzz target for the live preview's request routing: a request target and
// a Host header (split at the first newline of the input, the port taken
// from its first two bytes) through RouteRequest.
//
// Besides "no crash, no sanitizer finding" it checks the security
// invariants: a file route only comes with an allowed Host; its path is
// relative, split at "/" into segments that are each a plain file name (no
// "..", no "\\", no ":", no device name, no trailing dot or space); and the
// same target with another Host or method is refused.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "preview/RequestRoute.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

using tagsling::preview::IsAllowedHost;
using tagsling::preview::IsPlainFileName;
using tagsling::preview::Route;
using tagsling::preview::RouteKind;
using tagsling::preview::RouteRequest;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const auto port = static_cast<std::uint16_t>(data[0] << 8 | data[1]);
  const std::string_view input(reinterpret_cast<const char*>(data + 2), size - 2);
  const std::size_t newline = input.find('\n');
  const std::string_view target = input.substr(0, newline);
  const std::string_view host = newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);

  const Route route = RouteRequest("GET", target, host, port);
  Check(route.kind != RouteKind::kRefuse || route.status == 403 || route.status == 404);
  if (route.kind != RouteKind::kRefuse) Check(IsAllowedHost(host, port));
  if (route.kind == RouteKind::kFile) {
    const std::string& path = route.relative_path;
    Check(!path.empty() && path.front() != '/');
    std::size_t start = 0;
    for (;;) {
      const std::size_t end = path.find('/', start);
      const std::string_view segment = std::string_view(path).substr(start, end - start);
      Check(IsPlainFileName(segment));
      Check(segment.find_first_of("\\:") == std::string_view::npos && segment != "..");
      if (end == std::string::npos) break;
      start = end + 1;
    }
    Check(RouteRequest("HEAD", target, host, port) == route);
  }
  Check(RouteRequest("POST", target, host, port).status == 405);
  Check(RouteRequest("GET", target, "evil.example:" + std::to_string(port), port).status == 403);
  return 0;
}
