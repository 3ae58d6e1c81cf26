#pragma once
// The catalogue of template keys: every key a tag command of the program can
// ask "Html.dat" for, in one table. Controls and menus name these keys; the
// default "Html.dat" holds one entry for each.
//
// The classic keys (HTML 3.2 and 4) are fixed vocabulary shared with every
// existing "Html.dat", so they keep their historical spellings letter for
// letter (`Talbe`, `Framset`, `Multipre`, `Maxlenth`, `Align1`). The HTML5
// keys ("H5_...") came later: a file written before them does not have them,
// so each has a built-in template as well (core/BuiltInTemplates.h).

#include <cstddef>
#include <span>
#include <string_view>

namespace tagsling::core {

// The palette page (or shared group) a key belongs to.
enum class KeyCategory {
  kKihon,  // page "基本": document structure
  kMoji,   // page "文字": characters
  kP,      // page "段落": paragraphs
  kTable,  // page "表": tables (prefixes Table and Talbe)
  kList,   // page "リスト": lists (prefix Table)
  kLink,   // page "リンク/画像": links and images
  kForm,   // page "フォーム": forms (prefix Etc)
  kFrame,  // page "フレーム": frames (prefix Etc)
  kHtml5,  // page "HTML5": today's elements (prefix H5)
  kOp,     // shared ALIGN/VALIGN values of many elements
};

struct TemplateKey {
  std::string_view name;  // exactly as written in "Html.dat"
  KeyCategory category;
};

// 209 classic keys and 66 HTML5 keys.
inline constexpr std::size_t kClassicTemplateKeyCount = 209;
inline constexpr std::size_t kTemplateKeyCount = kClassicTemplateKeyCount + 66;

// All keys, grouped by category in palette order (the shared OP values
// last). Names are unique, also without regard to case.
std::span<const TemplateKey> TemplateKeys();

// The catalogue entry whose name equals `name` without regard to ASCII case
// (the way "Html.dat" compares keys), or nullptr.
const TemplateKey* FindTemplateKey(std::string_view name);

}  // namespace tagsling::core
