// tagsling-cli sub|gsub PATTERN REPLACEMENT [--count]: replaces the first or
// every match in standard input and writes the text exactly (no newline
// added); with --count only the number of replacements is printed.

#include <string>

#include "cli/Cli.h"
#include "regex/TAWKStr.h"

namespace tagsling::cli {

int FailPattern(const CliContext& ctx, const regex::ERegExpParser& error);  // VerbMatch.cpp

namespace {

int RunReplace(CliContext& ctx, bool global) {
  bool count_only = ctx.TakeFlag("--count");
  if (ctx.args.size() != 2)
    return ctx.Fail(std::string("usage: tagsling-cli ") + (global ? "gsub" : "sub") + " PATTERN REPLACEMENT [--count]");
  regex::TAWKStr awk;
  std::string text;
  std::size_t count = 0;
  try {
    awk.SetRegExp(ctx.args[0]);
    text = ctx.ReadStdin();
    count = global ? awk.GSub(ctx.args[1], text) : (awk.Sub(ctx.args[1], text) ? 1 : 0);
  } catch (const regex::ERegExpParser& error) {
    return FailPattern(ctx, error);
  }
  if (count_only)
    ctx.WriteLine(std::to_string(count));
  else
    ctx.Write(text);
  return kOk;
}

}  // namespace

int RunSub(CliContext& ctx) { return RunReplace(ctx, false); }
int RunGSub(CliContext& ctx) { return RunReplace(ctx, true); }

}  // namespace tagsling::cli
