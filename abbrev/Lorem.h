#pragma once
// Placeholder text for "lorem" and "loremN": N words (30 without a number)
// of the classic Latin filler, in sentences that start with a capital
// letter and end with a full stop, some with a comma inside.
//
// The first text of an expansion opens with "Lorem ipsum dolor sit amet
// consectetur adipisicing elit" (cut short when fewer words are asked for);
// every later one draws its words from the vocabulary. The words come from
// a small fixed pseudo-random sequence, so an abbreviation always expands
// to the same text. Cost: linear in the words written.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tagsling::abbrev {

inline constexpr std::size_t kDefaultLoremWords = 30;
inline constexpr std::size_t kMaxLoremWords = 10000;

// The number of words `name` asks for when it is "lorem" or "lorem"
// followed by digits (any letter case); nullopt for any other name. A
// number of 0 or above kMaxLoremWords comes back as 0.
std::optional<std::size_t> LoremWords(std::string_view name);

class LoremWriter {
 public:
  // The next text of `words` words.
  std::string Next(std::size_t words);

 private:
  std::size_t Draw(std::size_t below);
  std::string_view NextWord();

  bool opened_ = false;
  std::size_t last_word_ = 0;
  std::uint32_t state_ = 0x2545F491;
};

}  // namespace tagsling::abbrev
