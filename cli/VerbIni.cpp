// tagsling-cli ini: reads and writes profile files with the program's own
// profile-file rules.
//   ini get FILE SECTION KEY [DEFAULT]   prints the value and a newline
//   ini set FILE SECTION KEY VALUE       writes one key, keeping the rest
//   ini erase FILE SECTION               removes a whole section

#include "cli/Cli.h"
#include "settings/AppSettings.h"
#include "settings/ProfileFile.h"

namespace tagsling::cli {

namespace {

constexpr const char* kIniUsage =
    "usage: ini get FILE SECTION KEY [DEFAULT] | ini set FILE SECTION KEY VALUE | ini erase FILE SECTION";

}  // namespace

int RunIni(CliContext& ctx) {
  const std::vector<std::string>& args = ctx.args;
  if (args.empty()) return ctx.Fail(kIniUsage);
  const std::string& action = args[0];
  if (action == "get" && (args.size() == 4 || args.size() == 5)) {
    ctx.WriteLine(settings::ReadProfileString(args[1], args[2], args[3], args.size() == 5 ? args[4] : ""));
    return kOk;
  }
  bool written;
  if (action == "set" && args.size() == 5) {
    written = settings::WriteProfileString(args[1], args[2], args[3], args[4]);
  } else if (action == "erase" && args.size() == 3) {
    written = settings::EraseProfileSection(args[1], args[2]);
  } else {
    return ctx.Fail(kIniUsage);
  }
  return written ? kOk : ctx.Fail(settings::CannotWriteMessage(args[1]));
}

}  // namespace tagsling::cli
