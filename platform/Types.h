#pragma once
// Plain value types shared by the platform interfaces. Portable: no Windows
// header. A window handle is an opaque number; 0 means "no window".

#include <cstdint>
#include <string>

namespace tagsling::platform {

using WindowHandle = std::uintptr_t;
using ThreadId = std::uint32_t;
using ProcessId = std::uint32_t;

constexpr WindowHandle kNoWindow = 0;

// UTF-16 text as the system clipboard and the wide API carry it. Text taken
// from the editor stays in this form so that characters code page 932 cannot
// hold (emoji, rare kanji) survive a round trip.
using WideText = std::u16string;

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const Rect&) const = default;
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

}  // namespace tagsling::platform
