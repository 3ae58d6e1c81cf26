#include "preview/LivePreviewPlan.h"

#include "preview/LivePreviewMessages.h"
#include "texttools/PathText.h"

namespace tagsling::preview {
namespace {

WideText WithoutTrailingSeparator(std::u16string_view folder) {
  WideText out(folder);
  while (!out.empty() && (out.back() == u'\\' || out.back() == u'/')) out.pop_back();
  return out;
}

// A folder that is a whole drive ("C:") or share ("\\server\share").
bool IsRoot(std::u16string_view folder) {
  const WideText trimmed = WithoutTrailingSeparator(folder);
  return trimmed.empty() || texttools::DrivePart(trimmed + u"\\") == trimmed;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    AppendUtf8(out, code);
  }
  return out;
}

bool IsUnreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

}  // namespace

bool IsInsideFolder(std::u16string_view path, std::u16string_view folder) {
  const WideText prefix = WithoutTrailingSeparator(folder) + u"\\";
  return path.size() > prefix.size() && texttools::SameTextIgnoringCase(path.substr(0, prefix.size()), prefix);
}

std::string UrlPathOf(std::u16string_view folder, std::u16string_view document) {
  const std::size_t skip = WithoutTrailingSeparator(folder).size() + 1;
  const std::string relative = ToUtf8(document.substr(std::min(skip, document.size())));
  std::string out = "/";
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : relative) {
    if (c == '\\') {
      out += '/';
    } else if (IsUnreserved(c)) {
      out += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out;
}

std::string PageAddress(std::uint16_t port, std::string_view url_path) {
  return "http://127.0.0.1:" + std::to_string(port) + std::string(url_path);
}

external::ShellStart BrowserStart(const WideText& browser_setting, std::string_view address) {
  const WideText wide_address(address.begin(), address.end());  // ASCII
  external::ShellStart start;
  if (texttools::TrimBlanks(browser_setting).empty()) {
    start.file = wide_address;
  } else {
    start.file = texttools::TrimBlanks(browser_setting);
    start.parameters = texttools::QuoteArgument(wide_address);
  }
  return start;
}

LivePreviewPlan PlanLivePreview(const WideText& document, const WideText& base_folder,
                                const std::optional<WideText>& serving) {
  LivePreviewPlan plan;
  WideText folder;
  if (!texttools::TrimBlanks(base_folder).empty()) {
    folder = WithoutTrailingSeparator(texttools::TrimBlanks(base_folder));
    if (!IsInsideFolder(document, folder)) {
      plan.message = text::kOutsideBaseFolder;
      return plan;
    }
  } else {
    folder = WithoutTrailingSeparator(texttools::FolderPart(document));
  }
  if (IsRoot(folder)) {
    plan.message = text::kDriveRoot;
    return plan;
  }
  if (serving && IsInsideFolder(document, *serving)) {
    plan.action = LivePreviewPlan::Action::kOpen;
    plan.url_path = UrlPathOf(*serving, document);
    return plan;
  }
  plan.action = LivePreviewPlan::Action::kServe;
  plan.folder = folder;
  plan.url_path = UrlPathOf(folder, document);
  return plan;
}

}  // namespace tagsling::preview
