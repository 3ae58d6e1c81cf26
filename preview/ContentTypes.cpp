#include "preview/ContentTypes.h"

#include <algorithm>

namespace tagsling::preview {
namespace {

struct TypeRow {
  std::string_view extension;
  ContentType type;
};

constexpr TypeRow kTypes[] = {
    {"html", {"text/html", true}},
    {"htm", {"text/html", true}},
    {"css", {"text/css"}},
    {"js", {"text/javascript"}},
    {"mjs", {"text/javascript"}},
    {"json", {"application/json"}},
    {"svg", {"image/svg+xml"}},
    {"png", {"image/png"}},
    {"jpg", {"image/jpeg"}},
    {"jpeg", {"image/jpeg"}},
    {"gif", {"image/gif"}},
    {"webp", {"image/webp"}},
    {"avif", {"image/avif"}},
    {"ico", {"image/x-icon"}},
    {"woff", {"font/woff"}},
    {"woff2", {"font/woff2"}},
    {"txt", {"text/plain"}},
    {"xml", {"application/xml"}},
    {"mp4", {"video/mp4", false, true}},
    {"webm", {"video/webm", false, true}},
    {"mp3", {"audio/mpeg", false, true}},
    {"ogg", {"audio/ogg", false, true}},
    {"wasm", {"application/wasm"}},
};

constexpr ContentType kUnknown = {"application/octet-stream"};

}  // namespace

ContentType ContentTypeFor(std::string_view relative_path) {
  const std::size_t slash = relative_path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? relative_path : relative_path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return kUnknown;
  const std::string_view extension = name.substr(dot + 1);
  for (const TypeRow& row : kTypes) {
    if (row.extension.size() == extension.size() &&
        std::equal(extension.begin(), extension.end(), row.extension.begin(),
                   [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; })) {
      return row.type;
    }
  }
  return kUnknown;
}

}  // namespace tagsling::preview
