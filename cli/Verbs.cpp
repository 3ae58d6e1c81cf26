#include "cli/Verbs.h"

namespace tagsling::cli {

// Declarations of the verb functions, defined in their own Verb*.cpp files.
// (Add one line here and one row in the table for a new verb.)
int RunIni(CliContext& ctx);
int RunExpand(CliContext& ctx);

const VerbEntry kVerbs[] = {
    {"ini", RunIni, "ini get FILE SECTION KEY [DEFAULT] | ini set FILE SECTION KEY VALUE | ini erase FILE SECTION"},
    {"expand", RunExpand, "expand KEY [--datafile FILE] [--lower] [--sandwich | --count]"},
    {nullptr, nullptr, nullptr},
};

}  // namespace tagsling::cli
