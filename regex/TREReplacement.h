#pragma once
// Replacement texts of Sub and GSub.
//
// Three passes: protect (a backslash is copied with the character after it,
// and "\&" gets one more backslash), decode (escapes become their codes, as in
// patterns), expand (per match: "&" is the matched text, "\&" a literal "&",
// a backslash before anything else stays a backslash). The first two passes
// do not depend on the match and run once per Sub or GSub; the third runs
// once per match. All three walk whole Shift-JIS characters, so a trail byte
// 0x5C is never taken for a backslash. Linear in the replacement length.

#include <string>
#include <string_view>

namespace tagsling::regex {

// Passes one and two. Raises ERegExpParser(kMsgCharacterAfterBackslash) for a
// replacement that ends in a single backslash.
std::string DecodeReplacement(std::string_view replacement);

// Pass three: appends the expansion of a decoded replacement for one match.
void AppendExpansion(std::string& out, std::string_view decoded, std::string_view matched);

}  // namespace tagsling::regex
