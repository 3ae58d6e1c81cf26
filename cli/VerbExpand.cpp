// tagsling-cli expand: the template of one key, as a tag command composes it.
//   expand KEY [--datafile FILE] [--lower]             prints the tag text
//   expand KEY [--datafile FILE] [--lower] --sandwich  prints the sandwich template
//   expand KEY [--datafile FILE] --count               prints the cursor-back count
// Without --datafile the Html.dat beside this executable is read. The lookup
// is the program's: an HTML5 key ("H5_...") that the file lacks gives its
// built-in template. Text is written exactly, without an added newline; the
// count ends with one.

#include <string>

#include "cli/Cli.h"
#include "core/Templates.h"
#include "settings/AppSettings.h"
#include "settings/FileAccess.h"

namespace tagsling::cli {

namespace {

constexpr const char* kExpandUsage = "usage: expand KEY [--datafile FILE] [--lower] [--sandwich | --count]";

}  // namespace

int RunExpand(CliContext& ctx) {
  const std::optional<std::string> datafile = ctx.TakeOption("--datafile");
  const bool lower = ctx.TakeFlag("--lower");
  const bool sandwich = ctx.TakeFlag("--sandwich");
  const bool count = ctx.TakeFlag("--count");
  if (ctx.args.size() != 1 || (sandwich && count)) return ctx.Fail(kExpandUsage);

  // The program itself treats a missing template file as empty templates;
  // here a missing file is almost always a wrong path, so it is reported.
  const std::string path = datafile ? *datafile : core::TemplateFilePath(ExecutableFolder());
  std::string bytes;
  const settings::FileReadResult read = settings::ReadWholeFile(path, bytes);
  if (read == settings::FileReadResult::kTooLarge) return ctx.Fail(settings::FileTooLargeMessage(path));
  if (read != settings::FileReadResult::kOk) return ctx.Fail("cannot read " + path);

  const std::string raw = core::ReadTemplate(ctx.args[0], path);
  if (count) {
    ctx.WriteLine(std::to_string(core::CursorBackCount(raw)));
    return kOk;
  }
  const core::ExpandedTemplate expanded = core::ExpandTemplate(raw, lower);
  ctx.Write(sandwich ? expanded.sandwich : expanded.tag_text);
  return kOk;
}

}  // namespace tagsling::cli
