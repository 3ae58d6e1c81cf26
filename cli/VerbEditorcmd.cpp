// editorcmd EDITORFILE CMDLINE FILE: the command line the text editor is
// started with (empty arguments allowed).

#include "cli/Cli.h"
#include "cli/Encoding.h"
#include "external/EditorLaunch.h"

namespace tagsling::cli {

int RunEditorcmd(CliContext& ctx) {
  if (ctx.args.size() != 3) return ctx.Fail("usage: editorcmd EDITORFILE CMDLINE FILE", kSyntaxError);
  CliCodec codec;
  ctx.WriteLine(codec.WideToSjis(external::EditorCommandLine(
      codec.SjisToWide(ctx.args[0]), codec.SjisToWide(ctx.args[1]), codec.SjisToWide(ctx.args[2]))));
  return kOk;
}

}  // namespace tagsling::cli
