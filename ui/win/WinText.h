#pragma once
// The Win32 boundary conversions, under the names the user interface uses.

#include "common/WinText.h"

namespace tagsling::ui {

using win::ExecutablePath;
using win::ExecutablePathWide;
using win::SjisToWide;
using win::Utf8ToWide;
using win::WideToSjis;
using win::WideToUtf8;

}  // namespace tagsling::ui
