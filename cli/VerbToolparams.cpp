// toolparams TEMPLATE DOCPATH BASEDIR: an external tool's parameter line with
// DOCPATH standing in for the editor's document. An empty BASEDIR means no
// base folder is set, so "%d" takes the document's folder.

#include "cli/Cli.h"
#include "cli/Encoding.h"
#include "external/ToolsFunc.h"
#include "texttools/DocumentPath.h"

namespace tagsling::cli {

int RunToolparams(CliContext& ctx) {
  if (ctx.args.size() != 3) return ctx.Fail("usage: toolparams TEMPLATE DOCPATH BASEDIR", kSyntaxError);
  CliCodec codec;
  const platform::WideText document = codec.SjisToWide(ctx.args[1]);
  auto lookup = [&document](bool want_folder) { return want_folder ? texttools::DocumentFolder(document) : document; };
  std::optional<platform::WideText> params =
      external::ExpandToolParams(codec.SjisToWide(ctx.args[0]), codec.SjisToWide(ctx.args[2]), lookup);
  if (!params) return ctx.Fail("the template needs a document path, and none was given");
  ctx.WriteLine(codec.WideToSjis(*params));
  return kOk;
}

}  // namespace tagsling::cli
