// tagsling-cli match PATTERN: prints "POS LEN" for the first match of the
// pattern in standard input ("0 0" when there is none).

#include <string>

#include "cli/Cli.h"
#include "regex/TAWKStr.h"

namespace tagsling::cli {

// Shared with sub and gsub: a pattern or replacement error is reported with
// its message and position on stderr, exit status kSyntaxError.
int FailPattern(const CliContext& ctx, const regex::ERegExpParser& error) {
  return ctx.Fail(std::string(error.Message()) + " (position " + std::to_string(error.Position()) + ")", kSyntaxError);
}

int RunMatch(CliContext& ctx) {
  if (ctx.args.size() != 1) return ctx.Fail("usage: tagsling-cli match PATTERN");
  regex::TAWKStr awk;
  try {
    awk.SetRegExp(ctx.args[0]);
  } catch (const regex::ERegExpParser& error) {
    return FailPattern(ctx, error);
  }
  std::string text = ctx.ReadStdin();
  std::size_t position = 0;
  std::size_t length = 0;
  awk.Match(text, position, length);
  ctx.WriteLine(std::to_string(position) + " " + std::to_string(length));
  return kOk;
}

}  // namespace tagsling::cli
