#include "ui/model/ObsoleteHints.h"

#include "settings/ProfileFile.h"

namespace tagsling::ui {
namespace {

// Keys, or key prefixes ending in "_" that stand for every key under them.
constexpr std::string_view kObsolete[] = {
    // The HTML 4.01 Transitional doctype and the presentational BODY attributes.
    "Kihon_DocType",
    "Kihon_Body_Text",
    "Kihon_Body_Link",
    "Kihon_Body_Vlink",
    "Kihon_Body_Alink",
    "Kihon_Body_Bgcolor",
    "Kihon_Body_Background",
    "Kihon_Body_LeftMargin",
    "Kihon_Body_TopMargin",
    // Elements HTML5 dropped.
    "Moji_Font_",
    "Moji_Big",
    "Moji_Basefont",
    "Moji_Tt",
    "Moji_Blink",
    "P_Center",
    "P_Marquee_",
    "P_Multicol_",
    "P_Spacer_",
    "P_Nobr",
    "Etc_Framset_",
    "Etc_Frame_",
    "Etc_Noframes",
    // Attributes HTML5 dropped from elements it kept.
    "P_Div_Align_",
    "P_Hr_Size",
    "P_Hr_Width",
    "P_Hr_Color",
    "P_Hr_Noshade",
    "Table_Table_Border",
    "Table_Table_Cellspacing",
    "Table_Table_Cellpadding",
    "Table_Table_Width",
    "Table_Table_Height",
    "Table_Table_Bgcolor",
    "Talbe_Tr_Bgcolor",
    "Talbe_Td_Width",
    "Talbe_Td_Height",
    "Talbe_Td_Nowrap",
    "Talbe_Td_Bgcolor",
    "Talbe_Th_Width",
    "Talbe_Th_Height",
    "Talbe_Th_Nowrap",
    "Talbe_Th_Bgcolor",
    "Table_Caption_Align_",
    "Table_Li_Type_",
    "Table_Dl_Compact",
    "Link_AName",
    "Link_Img_Align1_",
    "Link_Img_Vspace",
    "Link_Img_Hspace",
    "Link_Img_Lowsrc",
    "Link_Img_Border",
    "Etc_Textarea_Wrap_off",
    // ALIGN and VALIGN of P, Hn, HR, TABLE, TR, TD, TH and IMG.
    "OP_",
};

}  // namespace

bool IsObsoleteInHtml5(std::string_view key) {
  for (std::string_view entry : kObsolete) {
    const bool prefix = entry.ends_with('_');
    if (prefix ? key.size() > entry.size() && settings::ProfileNamesEqual(key.substr(0, entry.size()), entry)
               : settings::ProfileNamesEqual(key, entry)) {
      return true;
    }
  }
  return false;
}

std::string HintWithObsoleteNote(std::string_view hint, std::string_view key) {
  std::string text(hint);
  if (IsObsoleteInHtml5(key)) text += kObsoleteHintSuffix;
  return text;
}

}  // namespace tagsling::ui
