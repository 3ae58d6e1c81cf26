#pragma once
// Which tag commands insert what HTML5 no longer has, and the hint that says
// so. The palette's tooltips and the menus' item tooltips both take their
// note from here, so a button and the menu item of the same key always
// agree.
//
// A key is obsolete when its template gives an element HTML5 dropped (FONT,
// CENTER, MARQUEE, FRAME ...), an attribute it dropped (BGCOLOR, ALIGN,
// A NAME, LI TYPE ...) or the HTML 4.01 doctype. Such commands keep working
// exactly as before; only their hint changes.

#include <string>
#include <string_view>

namespace tagsling::ui {

inline constexpr std::string_view kObsoleteHintSuffix = " (HTML5 では廃止)";

// Whether the template key inserts something HTML5 no longer has; keys are
// compared without regard to ASCII case, like "Html.dat" compares them.
bool IsObsoleteInHtml5(std::string_view key);

// The hint of a control that runs `key`: `hint` itself, followed by
// kObsoleteHintSuffix when the key is obsolete.
std::string HintWithObsoleteNote(std::string_view hint, std::string_view key);

}  // namespace tagsling::ui
