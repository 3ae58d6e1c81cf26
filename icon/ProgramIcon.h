#pragma once
// Tagsling's program icon, drawn into a pixel buffer by portable code. The
// one drawing gives both the icons the palette makes at run time (title bar,
// notification area, taskbar, at the monitor's scale) and the icon resource
// of tagsling.exe that Explorer, the taskbar and Alt+Tab show before the
// program runs (tagsling.ico, written at build time by tagsling-icon).
//
// Two pictures, indexed like MyAppIcons: 0 the normal-mode icon (a white "T"
// on a blue rounded square), 1 the sandwich-mode icon (a "T" between
// brackets on orange).

#include <array>
#include <cstdint>
#include <vector>

namespace tagsling::icon {

inline constexpr int kProgramIconCount = 2;

// The image sizes of tagsling.ico: 100 % to 400 % of the small icon, the
// large icon at the common scales and Explorer's largest view.
inline constexpr std::array<int, 8> kIconFileSizes = {16, 20, 24, 32, 40, 48, 64, 256};

// Largest size RenderProgramIcon draws; larger requests are drawn at this size.
inline constexpr int kMaxIconSize = 1024;

// Picture `index` (0 or 1; anything else draws 0) at `size` x `size` pixels
// (clamped to 1..kMaxIconSize), top row first. Each pixel is 0xAARRGGBB with
// straight (not premultiplied) alpha, which is the memory order B, G, R, A of
// a 32-bit Windows DIB. The same index and size always give the same pixels.
std::vector<std::uint32_t> RenderProgramIcon(int index, int size);

}  // namespace tagsling::icon
