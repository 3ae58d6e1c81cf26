#include "abbrev/Lorem.h"

#include <iterator>

#include "abbrev/HtmlElements.h"

namespace tagsling::abbrev {

namespace {

constexpr std::string_view kOpening[] = {"lorem", "ipsum",       "dolor",       "sit",
                                         "amet",  "consectetur", "adipisicing", "elit"};

constexpr std::string_view kVocabulary[] = {
    "a",
    "ab",
    "accusamus",
    "accusantium",
    "ad",
    "adipisci",
    "aliquam",
    "aliquid",
    "amet",
    "animi",
    "aperiam",
    "architecto",
    "asperiores",
    "aspernatur",
    "assumenda",
    "at",
    "atque",
    "aut",
    "autem",
    "beatae",
    "blanditiis",
    "commodi",
    "consectetur",
    "consequatur",
    "corporis",
    "corrupti",
    "culpa",
    "cum",
    "cumque",
    "cupiditate",
    "debitis",
    "delectus",
    "deleniti",
    "deserunt",
    "dicta",
    "dignissimos",
    "distinctio",
    "dolor",
    "dolore",
    "dolorem",
    "doloremque",
    "dolores",
    "doloribus",
    "dolorum",
    "ducimus",
    "ea",
    "eaque",
    "earum",
    "eius",
    "eligendi",
    "enim",
    "eos",
    "error",
    "esse",
    "est",
    "et",
    "eum",
    "eveniet",
    "ex",
    "excepturi",
    "exercitationem",
    "expedita",
    "explicabo",
    "facere",
    "facilis",
    "fuga",
    "fugiat",
    "fugit",
    "harum",
    "hic",
    "id",
    "illo",
    "illum",
    "impedit",
    "in",
    "incidunt",
    "inventore",
    "ipsa",
    "ipsam",
    "ipsum",
    "iste",
    "itaque",
    "iure",
    "iusto",
    "labore",
    "laboriosam",
    "laborum",
    "laudantium",
    "libero",
    "magnam",
    "magni",
    "maiores",
    "maxime",
    "minima",
    "minus",
    "modi",
    "molestiae",
    "molestias",
    "mollitia",
    "nam",
    "natus",
    "necessitatibus",
    "nemo",
    "neque",
    "nesciunt",
    "nihil",
    "nisi",
    "nobis",
    "non",
    "nostrum",
    "nulla",
    "numquam",
    "obcaecati",
    "odio",
    "odit",
    "officia",
    "officiis",
    "omnis",
    "optio",
    "pariatur",
    "perferendis",
    "perspiciatis",
    "placeat",
    "porro",
    "possimus",
    "praesentium",
    "provident",
    "quae",
    "quaerat",
    "quam",
    "quas",
    "quasi",
    "qui",
    "quia",
    "quibusdam",
    "quidem",
    "quis",
    "quisquam",
    "quo",
    "quod",
    "quos",
    "ratione",
    "recusandae",
    "reiciendis",
    "rem",
    "repellat",
    "repellendus",
    "reprehenderit",
    "repudiandae",
    "rerum",
    "saepe",
    "sapiente",
    "sed",
    "sequi",
    "similique",
    "sint",
    "sit",
    "soluta",
    "sunt",
    "suscipit",
    "tempora",
    "tempore",
    "temporibus",
    "tenetur",
    "totam",
    "ullam",
    "unde",
    "ut",
    "vel",
    "velit",
    "veniam",
    "veritatis",
    "vero",
    "vitae",
    "voluptas",
    "voluptate",
    "voluptatem",
    "voluptates",
    "voluptatibus",
    "voluptatum",
};

// Sentences after the opening one are this long, give or take.
constexpr std::size_t kShortestSentence = 4;
constexpr std::size_t kSentenceSpread = 9;
// A sentence at least this long gets a comma after one of its first words.
constexpr std::size_t kCommaFrom = 7;

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::optional<std::size_t> LoremWords(std::string_view name) {
  constexpr std::string_view kName = "lorem";
  if (name.size() < kName.size() || !EqualsIgnoringCase(name.substr(0, kName.size()), kName)) return std::nullopt;
  const std::string_view digits = name.substr(kName.size());
  if (digits.empty()) return kDefaultLoremWords;
  std::size_t words = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    if (words <= kMaxLoremWords) words = words * 10 + static_cast<std::size_t>(c - '0');
  }
  return words > kMaxLoremWords ? 0 : words;
}

std::size_t LoremWriter::Draw(std::size_t below) {
  // xorshift32: small, fixed, and good enough to vary the words.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_ % below;
}

std::string_view LoremWriter::NextWord() {
  // Never the same word twice in a row.
  std::size_t index = Draw(std::size(kVocabulary) - 1);
  if (index >= last_word_) ++index;
  last_word_ = index;
  return kVocabulary[index];
}

std::string LoremWriter::Next(std::size_t words) {
  std::string text;
  std::size_t written = 0;
  const bool opening = !opened_;
  opened_ = true;
  while (written < words) {
    const std::size_t left = words - written;
    std::size_t length = opening && written == 0 ? std::size(kOpening) : kShortestSentence + Draw(kSentenceSpread);
    if (length > left) length = left;
    // The word a comma follows (1-based; 0: none): the second or a later
    // one, with at least two words after it.
    const std::size_t comma = opening && written == 0 ? 0 : length >= kCommaFrom ? 2 + Draw(length - 3) : 0;
    for (std::size_t i = 0; i < length; ++i) {
      std::string_view word = opening && written == 0 ? kOpening[i] : NextWord();
      if (!text.empty()) text += ' ';
      const std::size_t start = text.size();
      text += word;
      if (i == 0) text[start] = UpperAscii(text[start]);
      if (i + 1 == comma) text += ',';
    }
    text += '.';
    written += length;
  }
  return text;
}

}  // namespace tagsling::abbrev
