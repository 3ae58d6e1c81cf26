#include "ui/StorableText.h"

#include "texttools/LosslessSjis.h"
#include "win/WinText.h"

namespace tagsling::ui {
namespace {

// Code page 932 through the wide API, whatever the system's code page.
class Cp932Codec final : public platform::TextCodec {
 public:
  platform::WideText SjisToWide(std::string_view sjis) override {
    const std::wstring wide = win::SjisToWide(sjis);
    return platform::WideText(wide.begin(), wide.end());
  }
  std::string WideToSjis(std::u16string_view wide) override {
    return win::WideToSjis(std::wstring(wide.begin(), wide.end()));
  }
};

constexpr char kNotStorableOpen[] = "設定ファイル (シフトJIS) に保存できない文字「";
constexpr char kNotStorableClose[] = "」が入力されています。この文字を使わずに入力して下さい。";

}  // namespace

std::wstring WindowTextWide(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

bool IsStorable(HWND field) {
  const std::wstring text = WindowTextWide(field);
  Cp932Codec codec;
  return texttools::ExactSjis(platform::WideText(text.begin(), text.end()), codec).has_value();
}

std::optional<std::string> StorableFieldText(HWND dialog, HWND field) {
  const std::wstring text = WindowTextWide(field);
  const platform::WideText wide(text.begin(), text.end());
  Cp932Codec codec;
  if (std::optional<std::string> sjis = texttools::ExactSjis(wide, codec)) return sjis;
  const platform::WideText outside = texttools::CharactersOutsideCp932(wide, codec);
  const std::wstring message = win::Utf8ToWide(kNotStorableOpen) + std::wstring(outside.begin(), outside.end()) +
                               win::Utf8ToWide(kNotStorableClose);
  MessageBoxW(dialog, message.c_str(), L"Tagsling", MB_OK | MB_ICONERROR);
  SetFocus(field);
  SendMessageW(field, EM_SETSEL, 0, -1);
  return std::nullopt;
}

}  // namespace tagsling::ui
