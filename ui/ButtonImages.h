#pragma once
// The pictures of the palette program, drawn at run time at the size the
// monitor's scaling asks for, so they stay crisp at 100 %, 150 % and beyond:
// the kToolImageCount button and menu pictures of IL_ToolBt and the two
// program icons of MyAppIcons (normal mode and sandwich mode).
//
// The program icons come from icon/ProgramIcon.h, the drawing that also
// gives tagsling.ico its pictures.
//
// Each button picture is described on a 16 x 16 grid (badges with a short text,
// small pictograms made of rectangles, lines and ellipses) and drawn with GDI
// at the requested size, once on black and once on white; the difference
// between the two gives each pixel's coverage, so the anti-aliased edges of
// text get a proper alpha channel.

#include <windows.h>

#include <cstdint>
#include <map>
#include <vector>

#include "ui/model/Pictures.h"
#include "win/Handles.h"

namespace tagsling::ui {

// IL_ToolBt: the kToolImageCount button and menu pictures at one size,
// each drawn the first time something shows it (drawing all of them costs
// more than the rest of the program's start). The toolbars' image list and
// the menu items' bitmaps share each drawing.
class ToolPictures {
 public:
  explicit ToolPictures(int size);

  // `size` x `size` pixels each, 32-bit with alpha; a slot is empty until
  // Draw(index).
  HIMAGELIST ImageList() const { return list_.get(); }
  void Draw(int index);
  // One picture as a premultiplied 32-bit bitmap, for menu items; owned here.
  HBITMAP MenuBitmap(int index);

 private:
  bool Valid(int index) const;
  const std::vector<std::uint32_t>& Pixels(int index);

  int size_;
  win::UniqueImageList list_;
  std::vector<std::vector<std::uint32_t>> pixels_;  // premultiplied, empty until drawn
  std::vector<bool> in_list_;
  std::map<int, win::UniqueBitmap> menu_bitmaps_;
};

// MyAppIcons: index 0 normal mode, 1 sandwich mode.
win::UniqueIcon CreateProgramIcon(int index, int size);

// Draws picture `index` scaled into `rect` (used by the title window).
void DrawProgramPicture(HDC dc, const RECT& rect, int index);

}  // namespace tagsling::ui
