// The program icon's drawing and the small rasteriser it needs.
//
// Shapes are placed on a 16 x 16 grid scaled to the picture's size. The
// rounded square is anti-aliased: a pixel's coverage is the exact area of the
// pixel inside the square's bounding rectangle, and the pixels that touch a
// rounded corner are sampled on a 16 x 16 grid against the corner's circle.
// The bars of the "T" and of the brackets are snapped the way a hinted font
// is: each edge's distance from the picture's centre is rounded to whole
// pixels, so the letter stays crisp at 16 pixels and the picture stays
// mirror-symmetric at every even size. Colours are composited with the
// "over" operator in straight alpha and rounded to 8 bits at the end.
//
// Cost: one pass over the pixels per shape, plus 256 samples for each pixel
// on a rounded corner; a 256-pixel picture takes a few milliseconds. No text
// rendering, no fonts: the letters are made of rectangles.

#include "icon/ProgramIcon.h"

#include <algorithm>
#include <cmath>

namespace tagsling::icon {
namespace {

struct Color {
  double r, g, b;
};

constexpr Color Rgb(unsigned rgb) {
  return {((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
}

// The palette's category colours of the two modes: basic tags and forms.
constexpr Color kNormalBlue = Rgb(0x1f4e9a);
constexpr Color kSandwichOrange = Rgb(0xb05a00);
constexpr Color kWhite = Rgb(0xffffff);

// Length of the overlap of [a0, a1) and [b0, b1).
double Overlap(double a0, double a1, double b0, double b1) {
  return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

class Raster {
 public:
  explicit Raster(int size) : size_(size), scale_(size / 16.0), pixels_(static_cast<size_t>(size) * size) {}

  // A rectangle with circular corners of `radius`, anti-aliased; it may reach
  // past the picture, which clips it.
  void RoundedBox(double x0, double y0, double x1, double y1, double radius, Color color) {
    const double left = x0 * scale_, top = y0 * scale_, right = x1 * scale_, bottom = y1 * scale_;
    const double r = std::min({radius * scale_, (right - left) / 2, (bottom - top) / 2});
    for (int y = std::max(0, static_cast<int>(std::floor(top)));
         y < std::min(size_, static_cast<int>(std::ceil(bottom))); ++y) {
      const bool corner_row = y < top + r || y + 1 > bottom - r;
      for (int x = std::max(0, static_cast<int>(std::floor(left)));
           x < std::min(size_, static_cast<int>(std::ceil(right))); ++x) {
        const bool corner_column = x < left + r || x + 1 > right - r;
        double cover = Overlap(x, x + 1, left, right) * Overlap(y, y + 1, top, bottom);
        if (corner_row && corner_column) cover = SampleRounded(x, y, left, top, right, bottom, r);
        Paint(x, y, cover, color);
      }
    }
  }

  // A solid rectangle whose edges are snapped to whole pixels; never thinner
  // than one pixel.
  void Bar(double x0, double y0, double x1, double y1, Color color) {
    const int left = Snap(x0), top = Snap(y0);
    const int right = std::max(Snap(x1), left + 1), bottom = std::max(Snap(y1), top + 1);
    for (int y = std::max(0, top); y < std::min(size_, bottom); ++y) {
      for (int x = std::max(0, left); x < std::min(size_, right); ++x) Paint(x, y, 1.0, color);
    }
  }

  std::vector<std::uint32_t> Pixels() const {
    std::vector<std::uint32_t> out(pixels_.size(), 0);
    auto byte = [](double value) { return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255)); };
    for (size_t i = 0; i < pixels_.size(); ++i) {
      const Pixel& p = pixels_[i];
      const std::uint32_t alpha = byte(p.a);
      if (alpha != 0) out[i] = alpha << 24 | byte(p.r) << 16 | byte(p.g) << 8 | byte(p.b);
    }
    return out;
  }

 private:
  struct Pixel {
    double r = 0, g = 0, b = 0, a = 0;
  };

  // Grid position to pixel edge: the distance from the centre is rounded,
  // halves away from the centre, so mirrored edges stay mirrored.
  int Snap(double v) const { return static_cast<int>(std::floor(size_ / 2.0 + std::round((v - 8) * scale_))); }

  double SampleRounded(int x, int y, double left, double top, double right, double bottom, double r) const {
    constexpr int kSamples = 16;
    int inside = 0;
    for (int j = 0; j < kSamples; ++j) {
      const double sy = y + (j + 0.5) / kSamples;
      if (sy < top || sy >= bottom) continue;
      const double cy = std::clamp(sy, top + r, bottom - r);
      for (int i = 0; i < kSamples; ++i) {
        const double sx = x + (i + 0.5) / kSamples;
        if (sx < left || sx >= right) continue;
        const double cx = std::clamp(sx, left + r, right - r);
        // Outside the corner squares (cx, cy) is the sample itself.
        if ((sx - cx) * (sx - cx) + (sy - cy) * (sy - cy) <= r * r) ++inside;
      }
    }
    return inside / static_cast<double>(kSamples * kSamples);
  }

  // Straight-alpha "over": `color` with alpha `cover` on top of the pixel.
  void Paint(int x, int y, double cover, Color color) {
    if (cover <= 0) return;
    Pixel& p = pixels_[static_cast<size_t>(y) * size_ + x];
    const double below = p.a * (1 - cover);
    const double alpha = cover + below;
    p.r = (color.r * cover + p.r * below) / alpha;
    p.g = (color.g * cover + p.g * below) / alpha;
    p.b = (color.b * cover + p.b * below) / alpha;
    p.a = alpha;
  }

  int size_;
  double scale_;
  std::vector<Pixel> pixels_;
};

// The rounded square fills the picture; its corners are cut with a radius of
// 2.5 grid units. Edges of the letters are chosen off half pixels at the
// sizes of tagsling.ico, so their snapping never depends on rounding noise.
void DrawBackground(Raster& raster, Color color) { raster.RoundedBox(-0.2, -0.2, 16.2, 16.2, 2.5, color); }

void DrawNormalMode(Raster& raster) {
  DrawBackground(raster, kNormalBlue);
  raster.Bar(4.35, 2.15, 11.65, 4.0, kWhite);  // the T's bar
  raster.Bar(7.05, 2.15, 8.95, 13.3, kWhite);  // and its stem
}

// The T between brackets: the selection wrapped in a tag.
void DrawSandwichMode(Raster& raster) {
  DrawBackground(raster, kSandwichOrange);
  raster.Bar(5.1, 2.4, 10.9, 4.15, kWhite);
  raster.Bar(7.15, 2.4, 8.85, 12.8, kWhite);
  // The left bracket, and the right one mirrored about the centre. Their
  // arms end at least a pixel short of the T's bar at every size, so the
  // three stay apart in the 16-pixel picture.
  for (int side = 0; side < 2; ++side) {
    auto x = [side](double v) { return side == 0 ? v : 16 - v; };
    raster.Bar(std::min(x(1.9), x(2.85)), 4.15, std::max(x(1.9), x(2.85)), 11.85, kWhite);
    raster.Bar(std::min(x(1.9), x(4.35)), 4.15, std::max(x(1.9), x(4.35)), 5.05, kWhite);
    raster.Bar(std::min(x(1.9), x(4.35)), 10.95, std::max(x(1.9), x(4.35)), 11.85, kWhite);
  }
}

}  // namespace

std::vector<std::uint32_t> RenderProgramIcon(int index, int size) {
  Raster raster(std::clamp(size, 1, kMaxIconSize));
  if (index == 1) {
    DrawSandwichMode(raster);
  } else {
    DrawNormalMode(raster);
  }
  return raster.Pixels();
}

}  // namespace tagsling::icon
