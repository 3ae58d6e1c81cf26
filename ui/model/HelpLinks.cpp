#include "ui/model/HelpLinks.h"

#include <algorithm>
#include <array>

#include "TagslingVersion.h"

namespace tagsling::ui {
namespace {

// Options dialog pages 0..9; the three hot-key pages share one topic.
constexpr std::array<int, 10> kOptionsPageContexts = {18, 28, 29, 30, 31, 32, 33, 33, 33, 36};

constexpr std::string_view kAboutLines[] = {
    "Tagsling  Ver." TAGSLING_VERSION,
    "HTMLタグ入力支援ツール - Tagsling project",
    "",
    "URL: https://tagsling.example.org/",
    "E-Mail: tagsling@example.org",
};

}  // namespace

std::string HelpPagePath(std::string_view executable_path) {
  const std::size_t name_start = executable_path.find_last_of("\\/:");
  const std::size_t dot = executable_path.rfind('.');
  const bool has_extension =
      dot != std::string_view::npos && (name_start == std::string_view::npos || dot > name_start);
  std::string path(has_extension ? executable_path.substr(0, dot) : executable_path);
  return path + ".html";
}

std::string HelpPageUrl(std::string_view page_path, std::string_view anchor) {
  std::string url = "file:///";
  url.append(page_path).append("#").append(anchor);
  std::replace(url.begin(), url.end(), '\\', '/');
  return url;
}

std::string HelpPageMissingMessage(std::string_view page_path) {
  return std::string(page_path) + " が見つかりません。";
}

std::optional<std::string> HelpAnchor(int context) {
  if (context == 0) return std::nullopt;
  return "ctx-" + std::to_string(context);
}

int OptionsPageHelpContext(int page_index) {
  if (page_index < 0 || page_index >= static_cast<int>(kOptionsPageContexts.size())) return 0;
  return kOptionsPageContexts[page_index];
}

std::string AboutText() {
  std::string text(kAboutLines[0]);
  for (std::size_t i = 1; i < std::size(kAboutLines); ++i) {
    text += "\r\n";
    text += kAboutLines[i];
  }
  return text;
}

}  // namespace tagsling::ui
