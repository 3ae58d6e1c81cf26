// tagsling-cli VERB [ARGS...] [--utf8]
// Exposes the portable core for scripts and tests. Bytes in, bytes out
// (Shift-JIS); --utf8 converts arguments and streams from and to UTF-8
// without losing a character (Encoding.h).

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
  ctx.args = CommandLineArguments(argc, argv);
  ctx.utf8 = ctx.TakeFlag("--utf8");
  for (auto& arg : ctx.args) arg = ctx.utf8 ? Utf8ToLossless(arg) : ArgumentToSjis(arg);
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
