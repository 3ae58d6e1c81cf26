#include "external/BrowserWindows.h"

#include <cstdint>
#include <optional>

#include "texttools/CompiledPattern.h"

namespace tagsling::external {

namespace {

// Chromium keeps a child window over the page for accessibility and input;
// its rectangle is the page area, below the tab strip and the toolbars.
constexpr std::string_view kChromiumClass = "Chrome_WidgetWin_1";
constexpr std::string_view kChromiumPage = "Chrome_RenderWidgetHostHWND";

// Edge's title ends "Microsoft", a zero-width space, a space, "Edge": the
// zero-width space keeps a line break out of the name. A plain space is
// accepted too.
constexpr std::u16string_view kEdgeSuffixes[] = {
    u" - Microsoft\u200B Edge",     u" - Microsoft\u200B Edge Beta",
    u" - Microsoft\u200B Edge Dev", u" - Microsoft\u200B Edge Canary",
    u" - Microsoft Edge",           u" - Microsoft Edge Beta",
    u" - Microsoft Edge Dev",       u" - Microsoft Edge Canary",
};
constexpr std::u16string_view kChromeSuffixes[] = {u" - Google Chrome"};
constexpr std::u16string_view kChromePrivate[] = {u" (Incognito)", u" (\u30B7\u30FC\u30AF\u30EC\u30C3\u30C8)"};
// Firefox puts an em dash before its name; some versions a hyphen.
constexpr std::u16string_view kFirefoxSuffixes[] = {
    u" \u2014 Mozilla Firefox",
    u" - Mozilla Firefox",
    u" \u2014 Firefox Developer Edition",
    u" \u2014 Firefox Nightly",
};
// "プライベートブラウジング" in the Japanese version.
constexpr std::u16string_view kFirefoxPrivate[] = {
    u" Private Browsing", u" (\u30D7\u30E9\u30A4\u30D9\u30FC\u30C8\u30D6\u30E9\u30A6\u30B8\u30F3\u30B0)"};
constexpr std::u16string_view kBraveSuffixes[] = {u" - Brave"};
constexpr std::u16string_view kVivaldiSuffixes[] = {u" - Vivaldi"};
constexpr std::u16string_view kOperaSuffixes[] = {u" - Opera"};

constexpr ModernBrowser kModernBrowsers[] = {
    {"Microsoft Edge", kChromiumClass, kEdgeSuffixes, {}, kChromiumPage, "msedge.exe"},
    {"Google Chrome", kChromiumClass, kChromeSuffixes, kChromePrivate, kChromiumPage, "chrome.exe"},
    {"Mozilla Firefox", "MozillaWindowClass", kFirefoxSuffixes, kFirefoxPrivate, "", "firefox.exe"},
    {"Brave", kChromiumClass, kBraveSuffixes, {}, kChromiumPage, ""},
    {"Vivaldi", kChromiumClass, kVivaldiSuffixes, {}, kChromiumPage, ""},
    {"Opera", kChromiumClass, kOperaSuffixes, {}, kChromiumPage, ""},
};

bool EndsWith(std::u16string_view text, std::u16string_view suffix) {
  return !suffix.empty() && text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The opening and closing title tags. Attributes may follow the name after a
// blank; "<titles>" and the like are no title.
constexpr std::string_view kTitleOpenPattern = "[<][Tt][Ii][Tt][Ll][Ee]([ \t][^>]*)?[>]";
constexpr std::string_view kTitleClosePattern = "[<][/][Tt][Ii][Tt][Ll][Ee]";

// The bytes of the first title element's text, or nullopt when the file has
// no complete title element.
//
// The pattern library reads its text as Shift-JIS, where a lead byte takes
// the next byte with it; in a UTF-8 file that would swallow the "<" after a
// character. The search therefore runs on a copy whose bytes from 80 up are
// all 7F: the tags are ASCII, and neither "<" nor "/" is ever the second
// byte of a Shift-JIS character, so the copy finds the tags where they are
// in either encoding, at the same offsets.
std::optional<std::string_view> TitleBytes(std::string_view html) {
  std::string masked(html);
  for (char& c : masked)
    if (static_cast<unsigned char>(c) >= 0x80) c = '\x7F';
  std::size_t position = 0;
  std::size_t length = 0;
  if (texttools::CompiledPattern(kTitleOpenPattern).Match(masked, position, length) == 0) return std::nullopt;
  const std::size_t text_start = position - 1 + length;
  if (texttools::CompiledPattern(kTitleClosePattern)
          .Match(std::string_view(masked).substr(text_start), position, length) == 0)
    return std::nullopt;
  return html.substr(text_start, position - 1);
}

void AppendCodePoint(std::u16string& out, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}

// UTF-8 without overlong forms, surrogates or values above U+10FFFF. A
// broken sequence makes the answer nullopt, or with `lenient` one U+FFFD for
// its first byte (as a browser shows it in a file marked as UTF-8).
std::optional<std::u16string> DecodeUtf8(std::string_view bytes, bool lenient) {
  std::u16string out;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int extra = 0;
    char32_t c = lead;
    char32_t least = 0;
    if (lead < 0x80) {
      extra = 0;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, c = lead & 0x07, least = 0x10000;
    } else {
      extra = -1;
    }
    bool valid = extra >= 0 && bytes.size() - i > static_cast<std::size_t>(extra);
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    valid = valid && c >= least && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    if (!valid) {
      if (!lenient) return std::nullopt;
      out.push_back(u'\uFFFD');
      ++i;
      continue;
    }
    AppendCodePoint(out, c);
    i += 1 + extra;
  }
  return out;
}

bool IsHtmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

bool IsAsciiAlnum(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The character a reference after "&" stands for and the units it takes
// ("amp;" is 4); nullopt for text that is no reference we know, which then
// stays as written.
std::optional<std::pair<char32_t, std::size_t>> ReadReference(std::u16string_view text) {
  static constexpr struct {
    std::u16string_view name;
    char32_t value;
  } kNamed[] = {{u"amp;", u'&'},     {u"lt;", u'<'},      {u"gt;", u'>'},      {u"quot;", u'"'},
                {u"apos;", u'\''},   {u"nbsp;", 0xA0},    {u"copy;", 0xA9},    {u"reg;", 0xAE},
                {u"mdash;", 0x2014}, {u"ndash;", 0x2013}, {u"hellip;", 0x2026}};
  for (const auto& named : kNamed)
    if (text.substr(0, named.name.size()) == named.name) return std::pair{named.value, named.name.size()};
  if (text.empty() || text[0] != u'#') return std::nullopt;
  const bool hex = text.size() > 1 && (text[1] == u'x' || text[1] == u'X');
  std::size_t i = hex ? 2 : 1;
  const std::size_t digits_start = i;
  char32_t value = 0;
  for (; i < text.size() && IsAsciiAlnum(text[i]); ++i) {
    const char16_t c = text[i];
    int digit = -1;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    if (hex && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    if (hex && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    if (value > 0x10FFFF) return std::nullopt;
  }
  if (i == digits_start || i >= text.size() || text[i] != u';') return std::nullopt;
  // Browsers show U+FFFD for what is no character.
  if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) value = 0xFFFD;
  return std::pair{value, i + 1};
}

// Character references decoded, then white space runs made one space and
// blanks at both ends removed (in that order, as document.title does: a
// "&#32;" at the end goes too).
std::u16string CleanTitle(std::u16string_view raw) {
  std::u16string decoded;
  for (std::size_t i = 0; i < raw.size();) {
    if (raw[i] == u'&') {
      if (auto reference = ReadReference(raw.substr(i + 1))) {
        AppendCodePoint(decoded, reference->first);
        i += 1 + reference->second;
        continue;
      }
    }
    decoded.push_back(raw[i++]);
  }
  std::u16string out;
  bool pending_space = false;
  for (char16_t c : decoded) {
    if (IsHtmlSpace(c)) {
      pending_space = !out.empty();
      continue;
    }
    if (pending_space) out.push_back(u' ');
    pending_space = false;
    out.push_back(c);
  }
  return out;
}

}  // namespace

std::span<const ModernBrowser> ModernBrowsers() { return kModernBrowsers; }

bool HasModernBrowserClass(const WindowInfo& window) {
  for (const ModernBrowser& browser : kModernBrowsers)
    if (window.class_name == browser.class_name) return true;
  return false;
}

const ModernBrowser* RecognizeModernBrowser(const WindowInfo& window) {
  if (!window.visible || !window.enabled) return nullptr;
  for (const ModernBrowser& browser : kModernBrowsers) {
    if (window.class_name != browser.class_name) continue;
    for (std::u16string_view suffix : browser.title_suffixes) {
      if (EndsWith(window.wide_title, suffix)) return &browser;
      for (std::u16string_view addition : browser.private_additions) {
        const std::u16string_view title = window.wide_title;
        if (EndsWith(title, addition) && EndsWith(title.substr(0, title.size() - addition.size()), suffix))
          return &browser;
      }
    }
  }
  return nullptr;
}

bool TitleShowsDocument(std::u16string_view window_title, std::u16string_view document_title) {
  if (document_title.empty() || window_title.substr(0, document_title.size()) != document_title) return false;
  return window_title.size() == document_title.size() || window_title[document_title.size()] == u' ';
}

const WindowInfo* FindDocumentBrowserWindow(std::u16string_view document_title, std::span<const WindowInfo> windows) {
  for (const WindowInfo& window : windows)
    if (RecognizeModernBrowser(window) && TitleShowsDocument(window.wide_title, document_title)) return &window;
  return nullptr;
}

std::u16string DocumentTitle(std::string_view html, std::u16string_view file_name, platform::TextCodec& codec) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  const bool bom = html.substr(0, kBom.size()) == kBom;
  std::u16string title;
  if (std::optional<std::string_view> bytes = TitleBytes(html)) {
    std::optional<std::u16string> utf8 = DecodeUtf8(*bytes, bom);
    title = CleanTitle(utf8 ? *utf8 : codec.SjisToWide(*bytes));
  }
  return title.empty() ? std::u16string(file_name) : title;
}

std::string InstalledBrowsersLine(const std::function<bool(std::string_view exe)>& has_app_path) {
  std::string line;
  for (const ModernBrowser& browser : kModernBrowsers) {
    if (browser.app_paths_exe.empty() || !has_app_path(browser.app_paths_exe)) continue;
    if (!line.empty()) line += ", ";
    line += browser.name;
  }
  return line;
}

}  // namespace tagsling::external
