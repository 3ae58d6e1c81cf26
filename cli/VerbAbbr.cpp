// tagsling-cli abbr: abbreviations as the program's commands expand them.
//   abbr ABBREVIATION [--datafile FILE] [--count]         prints the expansion
//   abbr --wrap ABBREVIATION [--datafile FILE] [--count]  wraps standard input
//   abbr --help                                           prints the usage
// The abbreviation goes through the same steps as a selection holding it
// (blanks around it stay around the expansion). --count prints the caret's
// cursor-back count instead of the text. User snippets come from the
// "[Snippets]" section of FILE, or of the Html.dat beside this executable
// when there is one. A refused abbreviation prints why on standard error
// and exits with status 2.

#include <string>

#include "abbrev/Abbreviation.h"
#include "cli/Cli.h"
#include "core/Templates.h"
#include "settings/FileAccess.h"

namespace tagsling::cli {

namespace {

constexpr const char* kAbbrUsage = "usage: abbr [--wrap] ABBREVIATION [--datafile FILE] [--count]";

constexpr const char* kAbbrHelp =
    "usage: tagsling-cli abbr [--wrap] ABBREVIATION [--datafile FILE] [--count] [--utf8]\n"
    "\n"
    "Prints the HTML of ABBREVIATION, such as \"ul>li.item$*3>a{Item $}\".\n"
    "  --wrap          wrap standard input instead: it becomes the content of the\n"
    "                  innermost element; with a bare \"*\" (\"ul>li*\") each line\n"
    "                  fills one copy\n"
    "  --datafile FILE take user snippets from the [Snippets] section of FILE\n"
    "                  (default: Html.dat beside this program)\n"
    "  --count         print how many Left presses take the caret to the first\n"
    "                  place to fill, instead of the HTML\n"
    "  --utf8          arguments, input and output in UTF-8\n"
    "\n"
    "Language: name  #id  .class  [attr=value]  {text}  > child  + sibling\n"
    "  ^ up a level  *N repeat (1-1000)  ( ) group  $ copy number ($$$, $@-, $@N)\n"
    "  snippets: ! (HTML5 document), a:link, input:email, bq, btn, c (comment),\n"
    "  lorem, loremN (N words of placeholder text) and more.\n"
    "Exit status 2, with the reason on standard error, when the abbreviation is refused.\n";

}  // namespace

int RunAbbr(CliContext& ctx) {
  if (ctx.TakeFlag("--help")) {
    ctx.Write(kAbbrHelp);
    return kOk;
  }
  const std::optional<std::string> datafile = ctx.TakeOption("--datafile");
  const bool wrap = ctx.TakeFlag("--wrap");
  const bool count = ctx.TakeFlag("--count");
  if (ctx.args.size() != 1) return ctx.Fail(kAbbrUsage);

  std::string path = core::TemplateFilePath(ExecutableFolder());
  if (datafile) {
    // A file named on the command line must be there.
    std::string bytes;
    if (settings::ReadWholeFile(*datafile, bytes) != settings::FileReadResult::kOk) {
      return ctx.Fail("cannot read " + *datafile);
    }
    path = *datafile;
  }
  const abbrev::SnippetSources sources = abbrev::SnippetsFromFile(path);
  const abbrev::AbbrevResult result = wrap ? abbrev::WrapSelection(ctx.ReadStdin(), ctx.args[0], sources)
                                           : abbrev::ExpandSelection(ctx.args[0], sources);
  if (!result) return ctx.Fail(std::string("abbr: ").append(result.error), kSyntaxError);
  if (count) {
    ctx.WriteLine(std::to_string(result.expansion->cursor_back));
  } else {
    ctx.Write(result.expansion->text);
  }
  return kOk;
}

}  // namespace tagsling::cli
