// Fuzz target for the document title of the default-browser preview: the
// title element found in arbitrary bytes (UTF-8 or code page 932), its
// character references decoded and its white space collapsed.
//
// Besides "no crash, no sanitizer finding" it checks invariants: a title is
// never empty (the file name stands in); a title read from the file has no
// white space at either end and no two blanks in a row; it never has more
// UTF-16 units than the file has bytes; and a browser window titled with it
// and a browser's suffix (a private window's too) is taken to show the
// document.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "external/BrowserWindows.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// Each byte one unit: enough for the invariants, and total.
class ByteCodec : public tagsling::platform::TextCodec {
 public:
  tagsling::platform::WideText SjisToWide(std::string_view sjis) override {
    return tagsling::platform::WideText(sjis.begin(), sjis.end());
  }
  std::string WideToSjis(std::u16string_view wide) override {
    std::string out;
    for (char16_t c : wide) out.push_back(static_cast<char>(c & 0xFF));
    return out;
  }
};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view html(reinterpret_cast<const char*>(data), std::min(size, tagsling::external::kTitleScanBytes));
  ByteCodec codec;
  const std::u16string title = tagsling::external::DocumentTitle(html, u"index.html", codec);
  Check(!title.empty());
  if (title != u"index.html") {
    Check(!IsBlank(title.front()) && !IsBlank(title.back()));
    for (std::size_t i = 0; i < title.size(); ++i) {
      if (IsBlank(title[i])) Check(title[i] == u' ' && i + 1 < title.size() && title[i + 1] != u' ');
    }
    Check(title.size() <= html.size());
  }
  Check(tagsling::external::TitleShowsDocument(title + u" - Google Chrome", title));
  Check(tagsling::external::TitleShowsDocument(title + u" - [InPrivate] - Microsoft\u200B Edge", title));
  return 0;
}
