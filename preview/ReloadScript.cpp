#include "preview/ReloadScript.h"

#include <optional>

#include "preview/RequestRoute.h"

namespace tagsling::preview {
namespace {

constexpr std::string_view kScriptStart =
    "<script>(function(){"
    "var s=new EventSource(\"";
constexpr std::string_view kScriptRest =
    "\");"
    "s.addEventListener(\"reload\",function(){location.reload();});"
    "s.addEventListener(\"css\",function(){"
    "var l=document.querySelectorAll('link[rel~=\"stylesheet\"]');"
    "for(var i=0;i<l.length;i++){(function(o){"
    "var u=new URL(o.href,location.href);u.searchParams.set(\"__tagsling\",Date.now());"
    "var n=o.cloneNode();n.href=u.href;n.onload=n.onerror=function(){o.remove();};"
    "o.after(n);})(l[i]);}"
    "});"
    "})();</script>";

// The page as a sequence of code units: bytes, or 16-bit units of UTF-16
// after a byte order mark.
class Units {
 public:
  explicit Units(std::string_view page) : page_(page) {
    if (page.size() >= 2 && page[0] == '\xFF' && page[1] == '\xFE') width_ = 2, little_ = true, start_ = 2;
    if (page.size() >= 2 && page[0] == '\xFE' && page[1] == '\xFF') width_ = 2, little_ = false, start_ = 2;
  }
  std::size_t size() const { return (page_.size() - start_) / width_; }
  // The unit at `i`, lower-cased when it is an ASCII letter.
  unsigned LowerAt(std::size_t i) const {
    const std::size_t at = start_ + i * width_;
    unsigned unit = static_cast<unsigned char>(page_[at]);
    if (width_ == 2) {
      const unsigned next = static_cast<unsigned char>(page_[at + 1]);
      unit = little_ ? unit | next << 8 : unit << 8 | next;
    }
    return unit >= 'A' && unit <= 'Z' ? unit - 'A' + 'a' : unit;
  }
  bool MatchesAt(std::size_t i, std::string_view lower_ascii) const {
    if (i + lower_ascii.size() > size()) return false;
    for (std::size_t k = 0; k < lower_ascii.size(); ++k) {
      if (LowerAt(i + k) != static_cast<unsigned char>(lower_ascii[k])) return false;
    }
    return true;
  }
  std::size_t ByteOffset(std::size_t i) const { return start_ + i * width_; }
  std::string Encode(std::string_view ascii) const {
    if (width_ == 1) return std::string(ascii);
    std::string out;
    for (char c : ascii) {
      if (little_) {
        out += c, out += '\0';
      } else {
        out += '\0', out += c;
      }
    }
    return out;
  }

 private:
  std::string_view page_;
  std::size_t width_ = 1;
  bool little_ = true;
  std::size_t start_ = 0;
};

bool IsTagNameEnd(const Units& units, std::size_t i) {
  if (i >= units.size()) return true;
  const unsigned c = units.LowerAt(i);
  return c == '>' || c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '/';
}

// The unit index of the last "</body" outside comments.
std::optional<std::size_t> FindBodyEnd(const Units& units) {
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units.MatchesAt(i, "<!--")) {
      std::size_t end = i + 4;
      while (end < units.size() && !units.MatchesAt(end, "-->")) ++end;
      i = end + 2;  // an unclosed comment runs to the end
      continue;
    }
    if (units.MatchesAt(i, "</body") && IsTagNameEnd(units, i + 6)) found = i;
  }
  return found;
}

}  // namespace

const std::string& ReloadScriptTag() {
  static const std::string tag = std::string(kScriptStart) + std::string(kEventsPath) + std::string(kScriptRest);
  return tag;
}

std::string InjectReloadScript(std::string_view page) {
  const Units units(page);
  const std::string script = units.Encode(ReloadScriptTag());
  const std::optional<std::size_t> body_end = FindBodyEnd(units);
  const std::size_t at = body_end ? units.ByteOffset(*body_end) : page.size();
  std::string out;
  out.reserve(page.size() + script.size());
  out.append(page.substr(0, at));
  out.append(script);
  out.append(page.substr(at));
  return out;
}

}  // namespace tagsling::preview
