// tagsling-cli titlepath TITLE [--base DIR] [--folder]: the editor document
// that the window-title rules find in TITLE (brackets, prefix, suffix, colon;
// the TeraPad rule needs a window), checked against the real file system.
// --base is the base folder; --folder prints the document's folder. Exits 1
// with the program's report when no rule finds an existing HTML file.

#include <string>

#include <algorithm>

#include "cli/Cli.h"
#include "cli/Encoding.h"
#include "texttools/DocumentPath.h"
#include "texttools/Messages.h"
#include "texttools/PathText.h"

namespace tagsling::cli {

namespace {

#ifndef _WIN32
// Outside Windows the rules' backslashes are the system's slashes, so that
// titles naming local files can be tried here too.
class SlashFileSystem : public texttools::NativeFileSystem {
 public:
  bool FileExists(const platform::WideText& path) override {
    platform::WideText native = path;
    std::replace(native.begin(), native.end(), u'\\', u'/');
    return NativeFileSystem::FileExists(native);
  }
};
#else
using SlashFileSystem = texttools::NativeFileSystem;
#endif

}  // namespace

int RunTitlepath(CliContext& ctx) {
  std::string base = ctx.TakeOption("--base").value_or("");
  bool want_folder = ctx.TakeFlag("--folder");
  if (ctx.args.size() != 1)
    return ctx.Fail("usage: tagsling-cli titlepath TITLE [--base DIR] [--folder]", kSyntaxError);
  SlashFileSystem files;
  CliCodec codec;
  texttools::EditorWindowText window{"", codec.SjisToWide(ctx.args[0]), u""};
  platform::WideText path = texttools::DocumentPathFromWindow(window, codec.SjisToWide(base), files, codec);
  if (path.empty()) {
    return ctx.Fail(want_folder ? texttools::kMsgNoBaseFolderPath : texttools::kMsgNoHtmlFilePath);
  }
  ctx.WriteLine(codec.WideToSjis(want_folder ? texttools::DocumentFolder(path) : texttools::TrimBlanks(path)));
  return kOk;
}

}  // namespace tagsling::cli
