#pragma once
// Shared plumbing of tagsling-cli verbs: arguments, standard streams and the
// optional UTF-8 conversion. Every string a verb sees or writes is Shift-JIS.

#include <optional>
#include <string>
#include <vector>

namespace tagsling::cli {

// Exit statuses shared by all verbs.
enum ExitCode { kOk = 0, kBadInput = 1, kSyntaxError = 2, kTooLong = 3 };

struct CliContext {
  std::vector<std::string> args;  // after the verb, already in Shift-JIS
  bool utf8 = false;              // --utf8: arguments and streams are UTF-8 (Encoding.h)

  // Removes a flag ("--count") from args; true when it was present.
  bool TakeFlag(const std::string& flag);
  // Removes an option with a value ("--datafile FILE"); empty when absent.
  std::optional<std::string> TakeOption(const std::string& option);

  std::string ReadStdin() const;              // raw bytes, converted from UTF-8 with --utf8
  void Write(const std::string& sjis) const;  // exactly these bytes (converted with --utf8)
  void WriteLine(const std::string& sjis) const { Write(sjis + "\n"); }
  int Fail(const std::string& message, int code = kBadInput) const;  // message on stderr
};

// Folder of the running executable, with a trailing path separator.
std::string ExecutableFolder();

}  // namespace tagsling::cli
