// tagsling-cli VERB [ARGS...] [--utf8]
// Exposes the portable core for scripts and tests. Bytes in, bytes out
// (Shift-JIS); --utf8 converts arguments and streams from and to UTF-8. On
// Windows the arguments are taken from the UTF-16 command line, so paths
// with any character reach the verbs intact.

#include <cstring>
#include <exception>
#include <string>

#include "cli/Encoding.h"
#include "cli/Verbs.h"

using namespace tagsling::cli;

namespace {

int Usage(const CliContext& ctx) {
  std::string text = "usage: tagsling-cli VERB [ARGS...] [--utf8]\nverbs:\n";
  for (const VerbEntry* verb = kVerbs; verb->name; ++verb) text += std::string("  ") + verb->usage + "\n";
  return ctx.Fail(text);
}

}  // namespace

int main(int argc, char** argv) {
  CliContext ctx;
  ctx.args = ProgramArguments(argc, argv);
  ctx.utf8 = ctx.TakeFlag("--utf8");
#ifndef _WIN32
  // On Windows the arguments come from the UTF-16 command line already.
  if (ctx.utf8)
    for (auto& arg : ctx.args) arg = Utf8ToSjis(arg);
#endif
  if (ctx.args.empty()) return Usage(ctx);
  std::string verb_name = ctx.args.front();
  ctx.args.erase(ctx.args.begin());
  for (const VerbEntry* verb = kVerbs; verb->name; ++verb) {
    if (verb_name != verb->name) continue;
    try {
      return verb->run(ctx);
    } catch (const std::exception& error) {
      return ctx.Fail(error.what());
    }
  }
  ctx.Fail("unknown verb: " + verb_name);
  return Usage(ctx);
}
