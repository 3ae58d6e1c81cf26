#include "ui/model/HelpLinks.h"

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

std::string HelpPagePath(std::string_view executablePath) {
  const std::size_t nameStart = executablePath.find_last_of("\\/:");
  const std::size_t dot = executablePath.rfind('.');
  const bool hasExtension = dot != std::string_view::npos && (nameStart == std::string_view::npos || dot > nameStart);
  std::string path(hasExtension ? executablePath.substr(0, dot) : executablePath);
  return path + ".html";
}

std::optional<std::string> HelpAnchor(int context) {
  if (context == 0) return std::nullopt;
  return "ctx-" + std::to_string(context);
}

int OptionsPageHelpContext(int pageIndex) {
  if (pageIndex < 0 || pageIndex >= static_cast<int>(kOptionsPageContexts.size())) return 0;
  return kOptionsPageContexts[pageIndex];
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
