// tagsling-cli relpath BASE FILE: FILE relative to the folder BASE (a
// trailing backslash is added when missing), with backslash separators.

#include "cli/Cli.h"
#include "cli/Encoding.h"
#include "texttools/PathText.h"

namespace tagsling::cli {

int RunRelpath(CliContext& ctx) {
  if (ctx.args.size() != 2) return ctx.Fail("usage: tagsling-cli relpath BASE FILE", kSyntaxError);
  CliCodec codec;
  platform::WideText base = codec.SjisToWide(ctx.args[0]);
  if (!texttools::EndsWithBackslash(base)) base += u'\\';
  ctx.WriteLine(codec.WideToSjis(texttools::RelativePath(base, codec.SjisToWide(ctx.args[1]))));
  return kOk;
}

}  // namespace tagsling::cli
