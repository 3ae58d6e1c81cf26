// tagsling-cli hotkey: how a hot-key setting is read.
//   hotkey TEXT
// prints one line: the shortcut code in hexadecimal ("0x" and four upper-case
// digits), one space, and the canonical text the options dialog writes back:
//   hotkey "ctrl+shift+a"  ->  0x6041 Shift+Ctrl+A
// A text that names no key prints "0" and an empty text ("0 "). Both are
// answers, so the status is 0; only a missing or extra argument is an error.
// Keys named by the keyboard driver alone (punctuation) are not known here.

#include <cstdio>

#include "cli/Cli.h"
#include "ui/model/ShortcutText.h"

namespace tagsling::cli {

int RunHotkey(CliContext& ctx) {
  if (ctx.args.size() != 1) return ctx.Fail("usage: hotkey TEXT", kSyntaxError);
  const ui::ShortcutCode code = ui::TextToShortcut(ctx.args[0]);
  if (code == 0) {
    ctx.WriteLine("0 ");
    return kOk;
  }
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(code));
  ctx.WriteLine(std::string(hex) + " " + ui::ShortcutToText(code));
  return kOk;
}

}  // namespace tagsling::cli
