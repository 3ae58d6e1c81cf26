// Fuzz target for the text tools: tag deletion and the three picture-size
// readers on arbitrary bytes. Input layout: byte 0 picks the subject (0 to 2
// the deletion modes, 3 GIF, 4 PNG, 5 JPEG, other values cycle), the rest is
// the text or the file. Texts are capped at the program's 10000-byte limit.
//
// Besides "no crash, no sanitizer finding" it checks invariants: deletion
// never makes a text longer; outermost-tag deletion either changes nothing
// or removes something; every piece of markup found begins with "<" and a
// letter, "/", "!" or "?", ends with ">", and follows the one before; a reader's size is never zero and a PNG size fits
// in 31 bits; a reader never asks for bytes before the start.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "texttools/ImageSize.h"
#include "texttools/MarkupScanner.h"
#include "texttools/TagDeletion.h"

namespace {

using namespace tagsling::texttools;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Serves the bytes like a file and checks every request.
class CheckedSource : public ByteSource {
 public:
  explicit CheckedSource(std::string_view bytes) : memory_(bytes) {}
  std::string ReadAt(std::uint64_t offset, std::size_t size) override {
    Check(size <= 1 << 16);
    std::string bytes = memory_.ReadAt(offset, size);
    Check(bytes.size() <= size);
    return bytes;
  }

 private:
  MemoryByteSource memory_;
};

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void CheckMarkupPieces(std::string_view text) {
  std::size_t from = 0;
  MarkupScanner scanner(text);
  while (std::optional<MarkupPiece> piece = scanner.Next()) {
    Check(piece->begin >= from && piece->begin + 3 <= piece->end && piece->end <= text.size());
    const char next = text[piece->begin + 1];
    Check(text[piece->begin] == '<' && text[piece->end - 1] == '>');
    Check(IsAsciiLetter(next) || next == '/' || next == '!' || next == '?');
    from = piece->end;
  }
}

void FuzzDeletion(DeletionMode mode, std::string_view text) {
  if (text.size() > kTagDeletionLimit) text = text.substr(0, kTagDeletionLimit);
  if (mode == DeletionMode::kAllTags) CheckMarkupPieces(text);
  std::string result = DeleteTags(text, mode);
  Check(result.size() <= text.size());
  if (mode == DeletionMode::kOutermostTag && result != text) Check(result.size() < text.size());
}

void FuzzReader(PictureKind kind, std::string_view bytes) {
  CheckedSource source(bytes);
  std::optional<PictureSize> size = ReadPictureSize(kind, source);
  if (!size) return;
  Check(size->width != 0 || kind == PictureKind::kGif);
  if (kind == PictureKind::kPng) Check(size->width <= 0x7FFFFFFF && size->height <= 0x7FFFFFFF && size->height != 0);
  if (kind == PictureKind::kJpeg) Check(size->width <= 0xFFFF && size->height <= 0xFFFF && size->height != 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 6) {
    case 0:
      FuzzDeletion(DeletionMode::kOutermostTag, rest);
      break;
    case 1:
      FuzzDeletion(DeletionMode::kAllTags, rest);
      break;
    case 2:
      FuzzDeletion(DeletionMode::kUncomment, rest);
      break;
    case 3:
      FuzzReader(PictureKind::kGif, rest);
      break;
    case 4:
      FuzzReader(PictureKind::kPng, rest);
      break;
    default:
      FuzzReader(PictureKind::kJpeg, rest);
      break;
  }
  return 0;
}
