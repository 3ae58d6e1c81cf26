#include "preview/RequestRoute.h"

#include <gtest/gtest.h>

namespace tagsling::preview {
namespace {

constexpr std::uint16_t kPort = 8930;
constexpr const char* kHost = "127.0.0.1:8930";

struct PathCase {
  const char* target;
  const char* mapped;  // "" when refused
};

// Every refusal of the path rule, beside the paths that map.
constexpr PathCase kPathCases[] = {
    {"/index.html", "index.html"},
    {"/", "index.html"},
    {"/sub/", "sub/index.html"},
    {"/sub/page.html?x=1#top", "sub/page.html"},
    {"/a%20b.html", "a b.html"},
    {"/%E6%97%A5%E6%9C%AC.html", "\xE6\x97\xA5\xE6\x9C\xAC.html"},
    {"/.well-known/x.json", ".well-known/x.json"},
    {"/con-tents.html", "con-tents.html"},
    {"/com10.txt", "com10.txt"},
    {"/consoles.txt", "consoles.txt"},
    // Climbing out of the folder, plain and percent-encoded.
    {"/../secret.txt", ""},
    {"/sub/../../secret.txt", ""},
    {"/%2e%2e/secret.txt", ""},
    {"/%2E%2E/secret.txt", ""},
    {"/.%2e/secret.txt", ""},
    {"/sub%2f..%2f..%2fsecret.txt", ""},
    {"/./index.html", ""},
    {"/%252e%252e/x", "%2e%2e/x"},  // decoded once: a literal name
    // Backslashes, drive letters, UNC paths, alternate streams.
    {"/..\\secret.txt", ""},
    {"/sub%5c..%5csecret.txt", ""},
    {"/C:/Windows/win.ini", ""},
    {"/C%3a/Windows/win.ini", ""},
    {"//server/share/x.html", ""},
    {"/%5c%5cserver/share", ""},
    {"/index.html::$DATA", ""},
    {"/index.html:stream", ""},
    {"/index.html%3a%3a$DATA", ""},
    // Trailing dots and spaces, which the system strips.
    {"/index.html.", ""},
    {"/index.html%20", ""},
    {"/sub./x.html", ""},
    // Device names in any case, with or without an extension.
    {"/CON", ""},
    {"/nul", ""},
    {"/NUL.txt", ""},
    {"/sub/com1", ""},
    {"/LPT9.html", ""},
    {"/aux%20.txt", ""},
    {"/conin$", ""},
    {"/COM%C2%B9", ""},
    // Broken or forbidden encodings and characters.
    {"/a%", ""},
    {"/a%4", ""},
    {"/a%zz", ""},
    {"/a%00.html", ""},
    {"/%01.html", ""},
    {"/%ff.html", ""},
    {"/%C0%AE%C0%AE/x", ""},  // overlong "..": no valid UTF-8
    {"/a*.html", ""},
    {"/a%3F.html", ""},
    {"/a%22.html", ""},
    {"/a%7C.html", ""},
    {"/a%3C.html", ""},
    {"/a//b.html", ""},
    {"index.html", ""},
    {"http://127.0.0.1:8930/index.html", ""},
    {"", ""},
};

TEST(MapRequestPath, MapsPlainNamesAndRefusesTheRest) {
  for (const PathCase& c : kPathCases) {
    EXPECT_EQ(MapRequestPath(c.target), c.mapped) << c.target;
  }
}

struct RouteCase {
  const char* method;
  const char* target;
  const char* host;
  RouteKind kind;
  int status;
};

constexpr RouteCase kRouteCases[] = {
    {"GET", "/index.html", kHost, RouteKind::kFile, 200},
    {"HEAD", "/index.html", kHost, RouteKind::kFile, 200},
    {"GET", "/index.html", "localhost:8930", RouteKind::kFile, 200},
    {"GET", "/index.html", "LocalHost:8930", RouteKind::kFile, 200},
    {"POST", "/index.html", kHost, RouteKind::kRefuse, 405},
    {"PUT", "/index.html", kHost, RouteKind::kRefuse, 405},
    {"DELETE", "/index.html", kHost, RouteKind::kRefuse, 405},
    {"OPTIONS", "*", kHost, RouteKind::kRefuse, 405},
    {"get", "/index.html", kHost, RouteKind::kRefuse, 405},
    // DNS rebinding: another name, another port, no port, no host.
    {"GET", "/index.html", "evil.example:8930", RouteKind::kRefuse, 403},
    {"GET", "/index.html", "127.0.0.1", RouteKind::kRefuse, 403},
    {"GET", "/index.html", "127.0.0.1:8931", RouteKind::kRefuse, 403},
    {"GET", "/index.html", "127.0.0.1:08930", RouteKind::kRefuse, 403},
    {"GET", "/index.html", "localhost.:8930", RouteKind::kRefuse, 403},
    {"GET", "/index.html", "[::1]:8930", RouteKind::kRefuse, 403},
    {"GET", "/index.html", "", RouteKind::kRefuse, 403},
    {"GET", "/index.html", ":8930", RouteKind::kRefuse, 403},
    // The server's own paths.
    {"GET", "/__tagsling/events", kHost, RouteKind::kEvents, 200},
    {"GET", "/__tagsling/events?x", kHost, RouteKind::kEvents, 200},
    {"GET", "/__tagsling/other", kHost, RouteKind::kRefuse, 404},
    {"GET", "/__tagsling/events", "evil.example:8930", RouteKind::kRefuse, 403},
    {"POST", "/__tagsling/events", kHost, RouteKind::kRefuse, 405},
    {"GET", "/../x", kHost, RouteKind::kRefuse, 404},
};

TEST(RouteRequest, ChecksMethodThenHostThenPath) {
  for (const RouteCase& c : kRouteCases) {
    const Route route = RouteRequest(c.method, c.target, c.host, kPort);
    EXPECT_EQ(route.kind, c.kind) << c.method << " " << c.target << " " << c.host;
    EXPECT_EQ(route.status, c.status) << c.method << " " << c.target << " " << c.host;
  }
}

TEST(RouteRequest, FileRouteCarriesTheMappedPath) {
  EXPECT_EQ(RouteRequest("GET", "/sub/a%20b.css?v=2", kHost, kPort), (Route{RouteKind::kFile, 200, "sub/a b.css"}));
}

}  // namespace
}  // namespace tagsling::preview
