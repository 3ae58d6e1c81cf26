#include "cli/Verbs.h"

namespace tagsling::cli {

// Declarations of the verb functions, defined in their own Verb*.cpp files.
// (Add one line here and one row in the table for a new verb.)

const VerbEntry kVerbs[] = {
    {nullptr, nullptr, nullptr},
};

}  // namespace tagsling::cli
