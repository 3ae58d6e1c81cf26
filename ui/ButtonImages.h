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

#include "ui/Handles.h"
#include "ui/model/PalettePages.h"

namespace tagsling::ui {

// IL_ToolBt: all kToolImageCount pictures, `size` x `size` pixels each, 32-bit with alpha.
UniqueImageList CreateToolImageList(int size);

// One picture as a premultiplied 32-bit bitmap, for menu items.
UniqueBitmap CreateToolBitmap(int index, int size);

// MyAppIcons: index 0 normal mode, 1 sandwich mode.
UniqueIcon CreateProgramIcon(int index, int size);

// Draws picture `index` scaled into `rect` (used by the title window).
void DrawProgramPicture(HDC dc, const RECT& rect, int index);

}  // namespace tagsling::ui
