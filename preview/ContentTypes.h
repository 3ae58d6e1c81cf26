#pragma once
// The Content-Type of a served file, chosen by its extension (any case).
// Text types carry no charset: an HTML page keeps the author's own
// declaration, and the browser reads a style sheet's or script's @charset or
// byte order mark. Unknown extensions are served as
// "application/octet-stream" (with "nosniff" the browser will not run them).

#include <string_view>

namespace tagsling::preview {

struct ContentType {
  std::string_view mime;
  bool html = false;   // gets the reload script
  bool media = false;  // answers byte ranges (206) so video and audio can seek
};

ContentType ContentTypeFor(std::string_view relative_path);

}  // namespace tagsling::preview
