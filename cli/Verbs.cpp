#include "cli/Verbs.h"

namespace tagsling::cli {

// Declarations of the verb functions, defined in their own Verb*.cpp files.
// (Add one line here and one row in the table for a new verb.)
int RunIni(CliContext& ctx);
int RunExpand(CliContext& ctx);
int RunToolparams(CliContext& ctx);
int RunEditorcmd(CliContext& ctx);
int RunMatch(CliContext& ctx);
int RunSub(CliContext& ctx);
int RunGSub(CliContext& ctx);
int RunHotkey(CliContext& ctx);
int RunDeltags(CliContext& ctx);
int RunImgsize(CliContext& ctx);
int RunRelpath(CliContext& ctx);
int RunTitlepath(CliContext& ctx);
int RunAbbr(CliContext& ctx);

const VerbEntry kVerbs[] = {
    {"ini", RunIni, "ini get FILE SECTION KEY [DEFAULT] | ini set FILE SECTION KEY VALUE | ini erase FILE SECTION"},
    {"expand", RunExpand, "expand KEY [--datafile FILE] [--lower] [--sandwich | --count]"},
    {"match", RunMatch, "match PATTERN  (text on stdin; prints \"POS LEN\")"},
    {"sub", RunSub, "sub PATTERN REPLACEMENT [--count]  (text on stdin)"},
    {"gsub", RunGSub, "gsub PATTERN REPLACEMENT [--count]  (text on stdin)"},
    {"toolparams", RunToolparams, "toolparams TEMPLATE DOCPATH BASEDIR"},
    {"editorcmd", RunEditorcmd, "editorcmd EDITORFILE CMDLINE FILE"},
    {"hotkey", RunHotkey, "hotkey TEXT  (prints \"0xCODE CANONICAL-TEXT\", or \"0 \" when TEXT names no key)"},
    {"deltags", RunDeltags,
     "deltags outer|all|uncomment  (text on stdin; status 3 above 10000 bytes, copied unchanged)"},
    {"imgsize", RunImgsize, "imgsize FILE  (prints \"W H\")"},
    {"relpath", RunRelpath, "relpath BASE FILE"},
    {"titlepath", RunTitlepath, "titlepath TITLE [--base DIR] [--folder]"},
    {"abbr", RunAbbr,
     "abbr [--wrap] ABBREVIATION [--datafile FILE] [--count] | abbr --help  (--wrap: selection on stdin; status 2 "
     "when refused)"},
    {nullptr, nullptr, nullptr},
};

}  // namespace tagsling::cli
