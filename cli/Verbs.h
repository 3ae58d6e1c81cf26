#pragma once
// Every verb of tagsling-cli: one function per verb, one file per verb
// (VerbName.cpp). The table in Verbs.cpp maps the verb word to its function.

#include "cli/Cli.h"

namespace tagsling::cli {

using VerbFunction = int (*)(CliContext&);

struct VerbEntry {
  const char* name;
  VerbFunction run;
  const char* usage;
};

// The table, terminated by an entry whose name is null.
extern const VerbEntry kVerbs[];

}  // namespace tagsling::cli
