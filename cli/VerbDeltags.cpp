// tagsling-cli deltags outer|all|uncomment: standard input through tag
// deletion to standard output. Input longer than the program's limit is
// copied unchanged and the exit status is 3, as the program pastes such a
// selection back untouched.

#include <string>

#include "cli/Cli.h"
#include "texttools/TagDeletion.h"

namespace tagsling::cli {

int RunDeltags(CliContext& ctx) {
  using texttools::DeletionMode;
  if (ctx.args.size() != 1) return ctx.Fail("usage: tagsling-cli deltags outer|all|uncomment", kSyntaxError);
  DeletionMode mode;
  if (ctx.args[0] == "outer") {
    mode = DeletionMode::kOutermostTag;
  } else if (ctx.args[0] == "all") {
    mode = DeletionMode::kAllTags;
  } else if (ctx.args[0] == "uncomment") {
    mode = DeletionMode::kUncomment;
  } else {
    return ctx.Fail("deltags: unknown mode \"" + ctx.args[0] + "\" (outer, all or uncomment)", kSyntaxError);
  }
  std::string text = ctx.ReadStdin();
  if (text.size() > texttools::kTagDeletionLimit) {
    ctx.Write(text);
    return kTooLong;
  }
  ctx.Write(texttools::DeleteTags(text, mode));
  return kOk;
}

}  // namespace tagsling::cli
