// toolparams TEMPLATE DOCPATH BASEDIR: an external tool's parameter line with
// DOCPATH standing in for the editor's document. An empty BASEDIR means no
// base folder is set, so "%d" takes the document's folder.

#include "cli/Cli.h"
#include "external/ToolsFunc.h"
#include "texttools/DocumentPath.h"

namespace tagsling::cli {

int RunToolparams(CliContext& ctx) {
  if (ctx.args.size() != 3) return ctx.Fail("usage: toolparams TEMPLATE DOCPATH BASEDIR", kSyntaxError);
  const std::string& document = ctx.args[1];
  auto lookup = [&document](bool want_folder) { return want_folder ? texttools::DocumentFolder(document) : document; };
  std::optional<std::string> params = external::ExpandToolParams(ctx.args[0], ctx.args[2], lookup);
  if (!params) return ctx.Fail("the template needs a document path, and none was given");
  ctx.WriteLine(*params);
  return kOk;
}

}  // namespace tagsling::cli
