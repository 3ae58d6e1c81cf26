// tagsling-icon: writes tagsling.ico, the icon resource of tagsling.exe, from
// the program icon's drawing (ProgramIcon.cpp) at every size of
// kIconFileSizes. Runs on the build machine during the build.
//
//   tagsling-icon OUTPUT.ico [PREVIEW.png]
//
// The optional PNG shows the normal-mode and sandwich-mode pictures at every
// size side by side, for a look at the drawing without Windows.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "icon/IconFile.h"
#include "icon/ProgramIcon.h"

namespace {

using tagsling::icon::kIconFileSizes;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path);
}

// Every picture of both icons on one strip each, 4 pixels apart, on grey.
std::string Preview() {
  int width = 4;
  for (int size : kIconFileSizes) width += size + 4;
  const int height = 4 + tagsling::icon::kProgramIconCount * (kIconFileSizes.back() + 4);
  std::vector<std::uint32_t> sheet(static_cast<size_t>(width) * height, 0xff808080);
  for (int index = 0; index < tagsling::icon::kProgramIconCount; ++index) {
    int left = 4;
    const int top = 4 + index * (kIconFileSizes.back() + 4);
    for (int size : kIconFileSizes) {
      const std::vector<std::uint32_t> pixels = tagsling::icon::RenderProgramIcon(index, size);
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          // Blend onto the grey so the preview itself needs no alpha.
          const std::uint32_t p = pixels[static_cast<size_t>(y) * size + x];
          const std::uint32_t a = p >> 24;
          std::uint32_t out = 0xff000000;
          for (int shift = 0; shift < 24; shift += 8) {
            const std::uint32_t c = (p >> shift) & 0xff;
            out |= ((c * a + 0x80 * (255 - a) + 127) / 255) << shift;
          }
          sheet[static_cast<size_t>(top + y) * width + left + x] = out;
        }
      }
      left += size + 4;
    }
  }
  return tagsling::icon::EncodePng(width, height, sheet);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: tagsling-icon OUTPUT.ico [PREVIEW.png]\n");
    return 2;
  }
  try {
    std::vector<tagsling::icon::IconImage> images;
    for (int size : kIconFileSizes) images.push_back({size, tagsling::icon::RenderProgramIcon(0, size)});
    WriteFile(argv[1], tagsling::icon::EncodeIconFile(images));
    if (argc == 3) WriteFile(argv[2], Preview());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tagsling-icon: %s\n", error.what());
    return 1;
  }
  return 0;
}
