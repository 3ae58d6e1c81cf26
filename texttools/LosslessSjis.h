#pragma once
// Carrying UTF-16 text through a transformation that works on code page 932
// bytes without losing the characters code page 932 cannot hold.
//
// ToLosslessSjis converts the text to code page 932; every character that
// would not come back unchanged (emoji, rare kanji, best-fit mappings such as
// U+00A5 turning into "\") and every DEL (0x7F) becomes a token
// (common/LosslessText.h). FromLosslessSjis turns tokens back into their
// characters and converts the rest.
//
// A transformation keeps the text intact as long as it removes or keeps
// whole runs delimited by characters other than DEL and hexadecimal digits,
// or reverses characters an even number of times: tag deletion does exactly
// that. Cost: one conversion each way; when the text holds anything
// unrepresentable, one conversion per distinct character as well.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/LosslessText.h"
#include "platform/TextCodec.h"

namespace tagsling::texttools {

std::string ToLosslessSjis(const platform::WideText& text, platform::TextCodec& codec);
platform::WideText FromLosslessSjis(std::string_view sjis, platform::TextCodec& codec);

// Where UTF-16 text must be stored as code page 932 (the settings file, a
// template), nothing may be replaced on the way: the code page 932 form of
// `text` when every character comes back unchanged from it, else nullopt.
std::optional<std::string> ExactSjis(std::u16string_view text, platform::TextCodec& codec);
// The characters of `text` that do not come back unchanged from code page
// 932, each once, in the order they first appear (a surrogate pair is one
// character). Empty when ExactSjis succeeds.
platform::WideText CharactersOutsideCp932(std::u16string_view text, platform::TextCodec& codec);

// Bytes of the character that starts at `pos` of a ToLosslessSjis text
// (common/LosslessText.h).
using tagsling::LosslessCharLength;

// How many Left presses take the editor's caret back across `sjis` once
// FromLosslessSjis has turned it into the editor's text: one per character,
// one for CR LF (the edit control steps over a line break at once), and one
// per UTF-16 unit of a token's character (two for a surrogate pair: the
// edit control, and the simulated one, step over each unit). A double-byte
// character and a DEL that is no token count one.
std::size_t CaretStopCount(std::string_view sjis);

}  // namespace tagsling::texttools
