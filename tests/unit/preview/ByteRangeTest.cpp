#include "preview/ByteRange.h"

#include <gtest/gtest.h>

namespace tagsling::preview {
namespace {

using K = ByteRange::Kind;

struct RangeCase {
  const char* header;
  std::uint64_t size;
  ByteRange expected;
};

constexpr std::uint64_t kBig = 100ull << 20;

constexpr RangeCase kCases[] = {
    {"bytes=0-99", 1000, {K::kPartial, 0, 99}},
    {"bytes=500-", 1000, {K::kPartial, 500, 999}},
    {"bytes=-100", 1000, {K::kPartial, 900, 999}},
    {"bytes=-5000", 1000, {K::kPartial, 0, 999}},
    {"bytes=900-5000", 1000, {K::kPartial, 900, 999}},
    {" bytes=1-2 ", 1000, {K::kPartial, 1, 2}},
    {"bytes=999-999", 1000, {K::kPartial, 999, 999}},
    // Long open ranges come in slices.
    {"bytes=0-", kBig, {K::kPartial, 0, kLongestSlice - 1}},
    {"bytes=10-", kBig, {K::kPartial, 10, 10 + kLongestSlice - 1}},
    // Past the end.
    {"bytes=1000-", 1000, {K::kUnsatisfiable}},
    {"bytes=1000-2000", 1000, {K::kUnsatisfiable}},
    {"bytes=-0", 1000, {K::kUnsatisfiable}},
    {"bytes=0-", 0, {K::kUnsatisfiable}},
    // Not handled: the whole file.
    {"", 1000, {K::kWhole}},
    {"items=0-1", 1000, {K::kWhole}},
    {"bytes=0-1,5-6", 1000, {K::kWhole}},
    {"bytes=5-1", 1000, {K::kWhole}},
    {"bytes=a-b", 1000, {K::kWhole}},
    {"bytes=-", 1000, {K::kWhole}},
    {"bytes=+1-2", 1000, {K::kWhole}},
    {"bytes=99999999999999999999999-", 1000, {K::kWhole}},
    {"bytes", 1000, {K::kWhole}},
};

TEST(ParseByteRange, FollowsTheTable) {
  for (const RangeCase& c : kCases) {
    EXPECT_EQ(ParseByteRange(c.header, c.size), c.expected) << c.header << " of " << c.size;
  }
}

TEST(ContentRange, NamesTheSliceOrTheSize) {
  EXPECT_EQ(ContentRange({K::kPartial, 0, 99}, 1000), "bytes 0-99/1000");
  EXPECT_EQ(ContentRange({K::kUnsatisfiable}, 1000), "bytes */1000");
}

}  // namespace
}  // namespace tagsling::preview
