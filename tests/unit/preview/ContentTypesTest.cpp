#include "preview/ContentTypes.h"

#include <gtest/gtest.h>

namespace tagsling::preview {
namespace {

struct TypeCase {
  const char* path;
  const char* mime;
  bool html;
  bool media;
};

constexpr TypeCase kCases[] = {
    {"index.html", "text/html", true, false},
    {"OLD.HTM", "text/html", true, false},
    {"a/site.css", "text/css", false, false},
    {"app.js", "text/javascript", false, false},
    {"m.mjs", "text/javascript", false, false},
    {"d.json", "application/json", false, false},
    {"i.svg", "image/svg+xml", false, false},
    {"i.PNG", "image/png", false, false},
    {"i.jpg", "image/jpeg", false, false},
    {"i.jpeg", "image/jpeg", false, false},
    {"i.gif", "image/gif", false, false},
    {"i.webp", "image/webp", false, false},
    {"i.avif", "image/avif", false, false},
    {"favicon.ico", "image/x-icon", false, false},
    {"f.woff", "font/woff", false, false},
    {"f.woff2", "font/woff2", false, false},
    {"r.txt", "text/plain", false, false},
    {"feed.xml", "application/xml", false, false},
    {"v.mp4", "video/mp4", false, true},
    {"v.webm", "video/webm", false, true},
    {"s.mp3", "audio/mpeg", false, true},
    {"s.ogg", "audio/ogg", false, true},
    {"w.wasm", "application/wasm", false, false},
    {"README", "application/octet-stream", false, false},
    {"dir.html/file", "application/octet-stream", false, false},
    {"x.exe", "application/octet-stream", false, false},
};

TEST(ContentTypeFor, FollowsTheExtensionInAnyCase) {
  for (const TypeCase& c : kCases) {
    const ContentType type = ContentTypeFor(c.path);
    EXPECT_EQ(type.mime, c.mime) << c.path;
    EXPECT_EQ(type.html, c.html) << c.path;
    EXPECT_EQ(type.media, c.media) << c.path;
  }
}

}  // namespace
}  // namespace tagsling::preview
