#include "regex/TAWKStr.h"

#include "regex/TREReplacement.h"

namespace tagsling::regex {

std::size_t TAWKStr::Match(std::string_view text, std::size_t& position, std::size_t& length) const {
  TREMatcher matcher = MatcherFor(text);
  std::optional<TREMatchSpan> match = Search(matcher, 0);
  position = match ? match->start + 1 : 0;
  length = match ? match->end - match->start : 0;
  return position;
}

bool TAWKStr::Sub(std::string_view replacement, std::string& text) const {
  std::string result;
  {
    TREMatcher matcher = MatcherFor(text);
    std::optional<TREMatchSpan> match = Search(matcher, 0);
    if (!match) return false;
    std::string decoded = DecodeReplacement(replacement);  // may raise; text still untouched
    std::string_view view = text;
    result.reserve(text.size() + decoded.size());
    result.append(view.substr(0, match->start));
    AppendExpansion(result, decoded, view.substr(match->start, match->end - match->start));
    result.append(view.substr(match->end));
  }
  text = std::move(result);
  return true;
}

std::size_t TAWKStr::GSub(std::string_view replacement, std::string& text) const {
  std::string result;
  std::size_t count = 0;
  {
    std::string_view view = text;
    TREMatcher matcher = MatcherFor(view);
    const std::size_t length = matcher.Length();
    std::optional<TREMatchSpan> match = Search(matcher, 0);
    if (!match) return 0;
    std::string decoded = DecodeReplacement(replacement);
    std::size_t rest = 0;
    while (match) {
      result.append(view.substr(rest, match->start - rest));
      AppendExpansion(result, decoded, view.substr(match->start, match->end - match->start));
      ++count;
      rest = match->end;
      if (match->start == match->end) {
        if (rest >= length) break;  // an empty match at the end of the text
        // Keep the character at the empty match. With CRLF a carriage return
        // travels together with the whole character after it.
        std::size_t keep = matcher.CharLength(rest);
        if (LineSeparator() == kCRLF && view[rest] == '\r' && rest + 1 < length) keep += matcher.CharLength(rest + 1);
        result.append(view.substr(rest, keep));
        rest += keep;
      }
      if (rest >= length) break;
      // A line starts after a line feed; elsewhere "^" is tried only after
      // line feeds inside the rest.
      match = view[rest - 1] == '\n' ? Search(matcher, rest) : matcher.Scan(rest);
    }
    result.append(view.substr(rest));
  }
  text = std::move(result);
  return count;
}

}  // namespace tagsling::regex
