#include "win/ErrorBox.h"

#include <stdexcept>
#include <string>

#include "win/WinText.h"

namespace tagsling::win {
namespace {

HWND g_owner = nullptr;

void ShowBox(std::string_view sjis_text, UINT icon) {
  const HWND owner = (g_owner && IsWindow(g_owner)) ? g_owner : nullptr;
  MessageBoxW(owner, SjisToWide(sjis_text).c_str(), L"Tagsling", MB_OK | icon);
}

}  // namespace

HWND ErrorBoxOwner() { return g_owner; }
void SetErrorBoxOwner(HWND owner) { g_owner = owner; }

void ShowErrorBox(std::string_view sjis_text) { ShowBox(sjis_text, MB_ICONERROR); }
void ShowInformationBox(std::string_view sjis_text) { ShowBox(sjis_text, MB_ICONINFORMATION); }

void ReportCurrentException() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    ShowErrorBox("Out of memory");
  } catch (const std::exception& error) {
    ShowErrorBox(error.what());
  } catch (...) {
    ShowErrorBox("Unknown error");
  }
}

}  // namespace tagsling::win
