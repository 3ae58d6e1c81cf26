// Fuzz target for the builders of external-program starts: the tool
// parameter line ("%f", "%d"), the quoting of one argument, the editor's
// command line, the browser's server-start command and the tool's working
// folder.
//
// Input layout: byte 0 options (bit 0 the document lookup fails, bit 1 the
// folder lookup fails, bit 2 Public_Dir is set), then NUL-terminated fields:
// parameter template, document path, folder, editor file, editor arguments,
// tool file, tool folder (the last takes the rest).
//
// Paths and arguments are made well-formed code page 932 first (what the
// program's own conversions produce). Checked against a parser that reads a
// command line the way CommandLineToArgvW and the C runtime do:
// - one quoted argument reads back as exactly the text quoted;
// - the editor's command line reads back as the editor, its arguments and
//   the file;
// - a parameter line is the template with each placeholder replaced by one
//   quoted argument, the document and folder looked up only when needed
//   (the document first), nothing when a needed lookup comes back empty;
// - the tool's working folder is its folder setting, or the folder part of
//   its file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "external/EditorLaunch.h"
#include "external/PathText.h"
#include "external/ToolsFunc.h"
#include "external/WwwFunc.h"
#include "fuzz/FuzzInput.h"
#include "texttools/PathText.h"

namespace {

using namespace tagsling::external;
using tagsling::SjisCharLength;
using tagsling::fuzz::Check;
using tagsling::fuzz::WellFormedSjis;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The arguments of a command line by the rules of CommandLineToArgvW: the
// program name runs to the next quote when it starts with one (no escapes),
// else to the next blank. After it, 2n backslashes and a quote give n
// backslashes and open or close a quoted part, 2n+1 backslashes and a quote
// give n backslashes and a literal quote, other backslashes are literal, and
// blanks outside quotes separate arguments. A quote right after a closing
// quote is read differently by different runtimes, so a line holding one
// stops the run. Double-byte characters are taken whole.
std::vector<std::string> ParseCommandLine(std::string_view line) {
  std::vector<std::string> args;
  std::size_t pos = 0;
  std::string program;
  if (!line.empty() && line[0] == '"') {
    for (pos = 1; pos < line.size() && line[pos] != '"'; pos += SjisCharLength(line, pos))
      program.append(line.substr(pos, SjisCharLength(line, pos)));
    if (pos < line.size()) ++pos;
  } else {
    for (; pos < line.size() && !IsBlank(line[pos]); pos += SjisCharLength(line, pos))
      program.append(line.substr(pos, SjisCharLength(line, pos)));
  }
  args.push_back(program);
  while (true) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size()) break;
    std::string arg;
    bool quoted = false;
    while (pos < line.size()) {
      std::size_t backslashes = 0;
      while (pos < line.size() && line[pos] == '\\') ++backslashes, ++pos;
      if (pos < line.size() && line[pos] == '"') {
        arg.append(backslashes / 2, '\\');
        ++pos;
        if (backslashes % 2 == 1) {
          arg += '"';
        } else {
          if (quoted) Check(pos >= line.size() || line[pos] != '"');
          quoted = !quoted;
        }
        continue;
      }
      arg.append(backslashes, '\\');
      if (pos >= line.size() || (!quoted && IsBlank(line[pos]))) break;
      std::size_t length = SjisCharLength(line, pos);
      arg.append(line.substr(pos, length));
      pos += length;
    }
    args.push_back(arg);
  }
  return args;
}

// The placeholder of a parameter template at `pos`: 'f', 'd' or 0.
char PlaceholderAt(std::string_view text, std::size_t pos) {
  if (text[pos] != '%' || pos + 1 >= text.size()) return 0;
  char c = text[pos + 1];
  if (c == 'f' || c == 'F') return 'f';
  if (c == 'd' || c == 'D') return 'd';
  return 0;
}

void CheckQuoting(const std::string& text) {
  std::vector<std::string> args = ParseCommandLine("p " + QuoteArgument(text));
  Check(args.size() == 2 && args[1] == text);
}

void CheckToolParams(const std::string& param_template, const std::string& public_dir, const std::string& document,
                     const std::string& folder) {
  std::string asked;
  const DocumentLookup lookup = [&](bool want_folder) {
    asked += want_folder ? 'd' : 'f';
    return want_folder ? folder : document;
  };
  std::optional<std::string> line = ExpandToolParams(param_template, public_dir, lookup);

  bool wants_file = false, wants_folder = false;
  for (std::size_t pos = 0; pos < param_template.size(); pos += SjisCharLength(param_template, pos)) {
    wants_file |= PlaceholderAt(param_template, pos) == 'f';
    wants_folder |= PlaceholderAt(param_template, pos) == 'd';
  }
  const std::string& folder_used = public_dir.empty() ? folder : public_dir;
  std::string expected_asks;
  if (wants_file) expected_asks += 'f';
  if (wants_folder && public_dir.empty() && !(wants_file && document.empty())) expected_asks += 'd';
  Check(asked == expected_asks);

  if ((wants_file && document.empty()) || (wants_folder && folder_used.empty())) {
    Check(!line.has_value());
    return;
  }
  Check(line.has_value());
  std::string expected;
  for (std::size_t pos = 0; pos < param_template.size();) {
    char placeholder = PlaceholderAt(param_template, pos);
    if (placeholder != 0) {
      expected += QuoteArgument(placeholder == 'f' ? document : folder_used);
      pos += 2;
    } else {
      std::size_t length = SjisCharLength(param_template, pos);
      expected.append(param_template.substr(pos, length));
      pos += length;
    }
  }
  Check(*line == expected);
  if (param_template == "%f %d" || param_template == "%d %f") {
    std::vector<std::string> args = ParseCommandLine("tool " + *line);
    Check(args.size() == 3);
  }
}

void CheckEditorCommandLine(const std::string& editor, const std::vector<std::string>& arguments,
                            const std::string& file) {
  std::string joined;
  for (const std::string& argument : arguments) {
    if (!joined.empty()) joined += ' ';
    joined += QuoteArgument(argument);
  }
  std::vector<std::string> args = ParseCommandLine(EditorCommandLine(editor, joined, file));
  std::vector<std::string> expected = {editor};
  expected.insert(expected.end(), arguments.begin(), arguments.end());
  if (!file.empty()) expected.push_back(file);
  Check(args == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tagsling::fuzz::FieldReader input(data, size);
  const std::uint8_t options = input.Byte();
  const std::string param_template = WellFormedSjis(input.Field(256));
  const std::string document = options & 1 ? "" : WellFormedSjis(input.Field(260));
  const std::string folder = options & 2 ? "" : WellFormedSjis(input.Field(260));
  // A file name never holds a quote.
  const std::string editor = WellFormedSjis(input.Field(260), "\"");
  const std::string editor_arguments = WellFormedSjis(input.Field(256));
  tagsling::settings::ToolEntry tool;
  tool.File = WellFormedSjis(input.Field(260));
  tool.TmpDir = WellFormedSjis(input.Rest(260));
  tool.Param = param_template;
  const std::string public_dir = options & 4 ? tool.TmpDir : "";

  CheckQuoting(document);
  CheckQuoting(editor_arguments);
  CheckToolParams(param_template, public_dir, document, folder);

  // The editor's own arguments: the argument field split at blanks, each
  // passed quoted.
  std::vector<std::string> arguments;
  for (std::size_t start = 0; start < editor_arguments.size();) {
    std::size_t blank = editor_arguments.find(' ', start);
    if (blank == std::string::npos) blank = editor_arguments.size();
    if (blank > start) arguments.push_back(editor_arguments.substr(start, blank - start));
    start = blank + 1;
  }
  CheckEditorCommandLine(editor, arguments, document);

  std::string working = ToolWorkingFolder(tool);
  if (!tool.TmpDir.empty()) {
    Check(working == tool.TmpDir);
  } else {
    Check(tool.File.compare(0, working.size(), working) == 0);
    Check(working.empty() || tagsling::texttools::EndsWithBackslash(working) || working.back() == ':');
  }
  std::optional<ShellStart> start =
      PlanExternalTool(tool, public_dir, [&](bool want_folder) { return want_folder ? folder : document; });
  if (start) Check(start->file == tool.File && start->directory == working);

  // Internet Explorer's server start: the executable without ".exe", quoted.
  const std::string command = ServerStartCommand(Browser::kInternetExplorer, editor, document);
  Check(ParseCommandLine(command)[0].find(".exe") == std::string::npos);
  Check(FindText(RemoveEvery(document, "\\\\"), "\\\\") == std::string::npos);
  return 0;
}
