#include "preview/RequestRoute.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace tagsling::preview {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes "%XX" once; nullopt for a broken escape or a NUL.
std::optional<std::string> PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      c = static_cast<char>(high * 16 + low);
      i += 2;
    }
    if (c == '\0') return std::nullopt;
    out += c;
  }
  return out;
}

// Well-formed UTF-8 without overlong forms or surrogates.
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = 1;
    std::uint32_t min = 0;
    std::uint32_t code = lead;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2, min = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, min = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, min = 0x10000, code = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (int k = 1; k < length; ++k) {
      const auto trail = static_cast<unsigned char>(text[i + k]);
      if ((trail & 0xC0) != 0x80) return false;
      code = (code << 6) | (trail & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// Names the system opens as devices in every folder, with any extension.
constexpr std::array<std::string_view, 8> kDeviceNames = {"con",    "prn",     "aux",    "nul",
                                                          "conin$", "conout$", "clock$", "config$"};

bool IsDeviceName(std::string_view segment) {
  std::string_view stem = segment.substr(0, segment.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  for (std::string_view device : kDeviceNames) {
    if (EqualsIgnoringCase(stem, device)) return true;
  }
  // COM0-COM9 and LPT0-LPT9, and the superscript digits ¹ ² ³ (UTF-8
  // C2 B9, C2 B2, C2 B3) that the system also takes as port numbers.
  if (stem.size() < 4) return false;
  const std::string_view prefix = stem.substr(0, 3);
  if (!EqualsIgnoringCase(prefix, "com") && !EqualsIgnoringCase(prefix, "lpt")) return false;
  const std::string_view number = stem.substr(3);
  if (number.size() == 1) return number[0] >= '0' && number[0] <= '9';
  return number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3";
}

}  // namespace

bool IsPlainFileName(std::string_view segment) {
  if (segment.empty() || segment == "." || segment == "..") return false;
  for (char c : segment) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    if (std::string_view("\\:<>\"|?*/").find(c) != std::string_view::npos) return false;
  }
  if (segment.back() == '.' || segment.back() == ' ') return false;
  return !IsDeviceName(segment);
}

std::string MapRequestPath(std::string_view target) {
  target = target.substr(0, target.find_first_of("?#"));
  if (target.empty() || target.front() != '/') return {};
  const std::optional<std::string> decoded = PercentDecode(target.substr(1));
  if (!decoded || !IsUtf8(*decoded)) return {};
  std::string path = *decoded;
  if (path.empty() || path.back() == '/') path += "index.html";
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    if (!IsPlainFileName(std::string_view(path).substr(start, end - start))) return {};
    start = end + 1;
  }
  return path;
}

bool IsAllowedHost(std::string_view host, std::uint16_t port) {
  std::string suffix(1, ':');
  suffix += std::to_string(port);
  if (host.size() <= suffix.size() || host.substr(host.size() - suffix.size()) != suffix) return false;
  const std::string_view name = host.substr(0, host.size() - suffix.size());
  return name == "127.0.0.1" || EqualsIgnoringCase(name, "localhost");
}

Route RouteRequest(std::string_view method, std::string_view target, std::string_view host, std::uint16_t port) {
  if (method != "GET" && method != "HEAD") return {RouteKind::kRefuse, 405, {}};
  if (!IsAllowedHost(host, port)) return {RouteKind::kRefuse, 403, {}};
  const std::string_view path_part = target.substr(0, target.find_first_of("?#"));
  if (path_part == kEventsPath) return {RouteKind::kEvents, 200, {}};
  if (path_part.starts_with(kOwnPrefix)) return {RouteKind::kRefuse, 404, {}};
  std::string relative = MapRequestPath(target);
  if (relative.empty()) return {RouteKind::kRefuse, 404, {}};
  return {RouteKind::kFile, 200, std::move(relative)};
}

}  // namespace tagsling::preview
