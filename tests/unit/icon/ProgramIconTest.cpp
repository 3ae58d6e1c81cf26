#include "icon/ProgramIcon.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tagsling::icon {
namespace {

constexpr std::uint32_t kBlue = 0xff1f4e9a;
constexpr std::uint32_t kOrange = 0xffb05a00;
constexpr std::uint32_t kWhite = 0xffffffff;

struct Picture {
  int size;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * size + x]; }
  int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
};

Picture Render(int index, int size) { return {size, RenderProgramIcon(index, size)}; }

// Every size of tagsling.ico and the sizes the palette asks for at run time
// (small and large icons at 100 % to 300 %).
const int kSizes[] = {16, 20, 24, 28, 32, 36, 40, 48, 64, 72, 96, 256};

TEST(ProgramIcon, EveryPictureHasItsSizeAndIsTheSameEachTime) {
  for (int index = 0; index < kProgramIconCount; ++index) {
    for (int size : kSizes) {
      const std::vector<std::uint32_t> pixels = RenderProgramIcon(index, size);
      EXPECT_EQ(pixels.size(), static_cast<size_t>(size * size)) << size;
      EXPECT_EQ(pixels, RenderProgramIcon(index, size)) << size;
    }
  }
}

TEST(ProgramIcon, OddRequestsAreSafe) {
  EXPECT_EQ(RenderProgramIcon(0, 0).size(), 1u);
  EXPECT_EQ(RenderProgramIcon(0, -5).size(), 1u);
  EXPECT_EQ(RenderProgramIcon(0, 100000).size(), static_cast<size_t>(kMaxIconSize * kMaxIconSize));
  EXPECT_EQ(RenderProgramIcon(7, 16), RenderProgramIcon(0, 16));
  EXPECT_EQ(RenderProgramIcon(-1, 16), RenderProgramIcon(0, 16));
  for (int size = 1; size <= 12; ++size) EXPECT_EQ(RenderProgramIcon(1, size).size(), static_cast<size_t>(size * size));
}

// The letters are snapped to whole pixels about the centre, so at an even
// size each picture is its own mirror image.
TEST(ProgramIcon, PicturesAreMirrorSymmetric) {
  for (int index = 0; index < kProgramIconCount; ++index) {
    for (int size : kSizes) {
      const Picture p = Render(index, size);
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size / 2; ++x) {
          ASSERT_EQ(p.At(x, y), p.At(size - 1 - x, y))
              << "icon " << index << " size " << size << " at " << x << "," << y;
        }
      }
    }
  }
}

// Background colour in the middle of the square, white on the stem of the
// T, transparent outside the rounded corners, opaque along the middle of the
// edges.
TEST(ProgramIcon, ColoursAndCorners) {
  const std::uint32_t backgrounds[] = {kBlue, kOrange};
  for (int index = 0; index < kProgramIconCount; ++index) {
    for (int size : kSizes) {
      const Picture p = Render(index, size);
      const int c = size / 2;
      EXPECT_EQ(p.At(c, c), kWhite) << "stem, size " << size;
      EXPECT_EQ(p.At(c, size * 15 / 16), backgrounds[index]) << "below the stem, size " << size;
      EXPECT_EQ(p.At(size / 4, size * 3 / 4), backgrounds[index]) << "lower left, size " << size;
      EXPECT_EQ(p.At(c, 0), backgrounds[index]) << "top edge, size " << size;
      EXPECT_EQ(p.At(0, c), backgrounds[index]) << "left edge, size " << size;
      EXPECT_LT(p.Alpha(0, 0), 128) << "corner, size " << size;
      EXPECT_LT(p.Alpha(size - 1, size - 1), 128) << "corner, size " << size;
    }
  }
}

// The edges of the rounded corners are anti-aliased, the letters are not:
// across the row through the middle every pixel is either the background or
// white.
TEST(ProgramIcon, CornersAreSmoothLettersCrisp) {
  const std::uint32_t backgrounds[] = {kBlue, kOrange};
  for (int index = 0; index < kProgramIconCount; ++index) {
    for (int size : kSizes) {
      const Picture p = Render(index, size);
      for (int x = 0; x < size; ++x) {
        const std::uint32_t pixel = p.At(x, size / 2);
        EXPECT_TRUE(pixel == backgrounds[index] || pixel == kWhite) << size << " at " << x;
      }
      if (size < 32) continue;
      std::set<int> corner_alphas;
      for (int y = 0; y < size / 8; ++y) {
        for (int x = 0; x < size / 8; ++x) corner_alphas.insert(p.Alpha(x, y));
      }
      EXPECT_GE(corner_alphas.size(), 4u) << "levels of alpha on the corner, size " << size;
      // Alpha falls monotonically along the diagonal towards the corner.
      for (int i = 1; i < size / 8; ++i) EXPECT_LE(p.Alpha(i - 1, i - 1), p.Alpha(i, i)) << size;
    }
  }
}

// The corner's coverage against a simple reference: the fraction of a fine
// grid of points in the pixel that lie within the corner's circle. The
// square reaches 0.2 grid units past the picture and its corners have a
// radius of 2.5 units.
TEST(ProgramIcon, CornerCoverageMatchesAFineSampling) {
  for (int size : {16, 32, 48, 256}) {
    const Picture p = Render(0, size);
    const double scale = size / 16.0;
    const double centre = (-0.2 + 2.5) * scale;
    const double radius = 2.5 * scale;
    for (int y = 0; y < static_cast<int>(centre); ++y) {
      for (int x = 0; x < static_cast<int>(centre); ++x) {
        constexpr int kFine = 64;
        int inside = 0;
        for (int j = 0; j < kFine; ++j) {
          for (int i = 0; i < kFine; ++i) {
            const double dx = x + (i + 0.5) / kFine - centre;
            const double dy = y + (j + 0.5) / kFine - centre;
            if (dx * dx + dy * dy <= radius * radius) ++inside;
          }
        }
        const double expected = 255.0 * inside / (kFine * kFine);
        EXPECT_NEAR(p.Alpha(x, y), expected, 12) << size << " at " << x << "," << y;
      }
    }
  }
}

TEST(ProgramIcon, TheTwoModesDiffer) {
  for (int size : kSizes) EXPECT_NE(RenderProgramIcon(0, size), RenderProgramIcon(1, size)) << size;
}

// The sandwich picture keeps the brackets' arms at least a pixel column
// away from the T's bar, so the small pictures do not merge them.
TEST(ProgramIcon, SandwichBracketsStayApartFromTheLetter) {
  for (int size : kSizes) {
    const Picture p = Render(1, size);
    int bar_row = 0;  // the top row of the stem is a row of the bar
    while (bar_row < size && p.At(size / 2, bar_row) != kWhite) ++bar_row;
    int arm_row = 0;  // the top arm of the left bracket
    while (arm_row < size && p.At(size * 3 / 16, arm_row) != kWhite) ++arm_row;
    ASSERT_LT(bar_row, arm_row) << size;
    int bar_left = 0;
    while (p.At(bar_left, bar_row) != kWhite) ++bar_left;
    int arm_end = size * 3 / 16;
    while (p.At(arm_end, arm_row) == kWhite) ++arm_end;
    EXPECT_GT(bar_left, arm_end) << size;
  }
}

}  // namespace
}  // namespace tagsling::icon
