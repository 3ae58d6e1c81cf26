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
// Paths, arguments and the lines built from them are UTF-16
// (WideFromBytes), as the program hands them to the wide API. Checked
// against a parser that reads a command line the way CommandLineToArgvW and
// the C runtime do:
// - one quoted argument reads back as exactly the text quoted;
// - the editor's command line reads back as the editor, its arguments and
//   the file;
// - a parameter line is the template with each placeholder replaced by one
//   quoted argument, the document and folder looked up only when needed
//   (the document first), nothing when a needed lookup comes back empty;
// - the tool's working folder is its folder setting, or the folder part of
//   its file.
// The browser's server-start command stays code page 932 (it goes through
// DDE) and is checked on well-formed code page 932 text.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "external/EditorLaunch.h"
#include "external/ToolsFunc.h"
#include "external/WwwFunc.h"
#include "fuzz/FuzzInput.h"
#include "texttools/PathText.h"

namespace {

using namespace tagsling::external;
namespace texttools = tagsling::texttools;
using tagsling::fuzz::Check;
using tagsling::fuzz::WellFormedSjis;
using tagsling::fuzz::WideFromBytes;
using Text = std::u16string;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The arguments of a command line by the rules of CommandLineToArgvW: the
// program name runs to the next quote when it starts with one (no escapes),
// else to the next blank. After it, 2n backslashes and a quote give n
// backslashes and open or close a quoted part, 2n+1 backslashes and a quote
// give n backslashes and a literal quote, other backslashes are literal, and
// blanks outside quotes separate arguments. A quote right after a closing
// quote is read differently by different runtimes, so a line holding one
// stops the run.
std::vector<Text> ParseCommandLine(std::u16string_view line) {
  std::vector<Text> args;
  std::size_t pos = 0;
  Text program;
  if (!line.empty() && line[0] == u'"') {
    for (pos = 1; pos < line.size() && line[pos] != u'"'; ++pos) program += line[pos];
    if (pos < line.size()) ++pos;
  } else {
    for (; pos < line.size() && !IsBlank(line[pos]); ++pos) program += line[pos];
  }
  args.push_back(program);
  while (true) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos >= line.size()) break;
    Text arg;
    bool quoted = false;
    while (pos < line.size()) {
      std::size_t backslashes = 0;
      while (pos < line.size() && line[pos] == u'\\') ++backslashes, ++pos;
      if (pos < line.size() && line[pos] == u'"') {
        arg.append(backslashes / 2, u'\\');
        ++pos;
        if (backslashes % 2 == 1) {
          arg += u'"';
        } else {
          if (quoted) Check(pos >= line.size() || line[pos] != u'"');
          quoted = !quoted;
        }
        continue;
      }
      arg.append(backslashes, u'\\');
      if (pos >= line.size() || (!quoted && IsBlank(line[pos]))) break;
      arg += line[pos++];
    }
    args.push_back(arg);
  }
  return args;
}

// The placeholder of a parameter template at `pos`: 'f', 'd' or 0.
char PlaceholderAt(std::u16string_view text, std::size_t pos) {
  if (text[pos] != u'%' || pos + 1 >= text.size()) return 0;
  char16_t c = text[pos + 1];
  if (c == u'f' || c == u'F') return 'f';
  if (c == u'd' || c == u'D') return 'd';
  return 0;
}

void CheckQuoting(const Text& text) {
  std::vector<Text> args = ParseCommandLine(u"p " + texttools::QuoteArgument(text));
  Check(args.size() == 2 && args[1] == text);
}

void CheckToolParams(const Text& param_template, const Text& public_dir, const Text& document, const Text& folder) {
  std::string asked;
  const DocumentLookup lookup = [&](bool want_folder) {
    asked += want_folder ? 'd' : 'f';
    return want_folder ? folder : document;
  };
  std::optional<Text> line = ExpandToolParams(param_template, public_dir, lookup);

  bool wants_file = false, wants_folder = false;
  for (std::size_t pos = 0; pos < param_template.size(); ++pos) {
    wants_file |= PlaceholderAt(param_template, pos) == 'f';
    wants_folder |= PlaceholderAt(param_template, pos) == 'd';
  }
  const Text& folder_used = public_dir.empty() ? folder : public_dir;
  std::string expected_asks;
  if (wants_file) expected_asks += 'f';
  if (wants_folder && public_dir.empty() && !(wants_file && document.empty())) expected_asks += 'd';
  Check(asked == expected_asks);

  if ((wants_file && document.empty()) || (wants_folder && folder_used.empty())) {
    Check(!line.has_value());
    return;
  }
  Check(line.has_value());
  Text expected;
  for (std::size_t pos = 0; pos < param_template.size();) {
    char placeholder = PlaceholderAt(param_template, pos);
    if (placeholder != 0) {
      expected += texttools::QuoteArgument(placeholder == 'f' ? document : folder_used);
      pos += 2;
    } else {
      expected += param_template[pos++];
    }
  }
  Check(*line == expected);
  if (param_template == u"%f %d" || param_template == u"%d %f") {
    std::vector<Text> args = ParseCommandLine(u"tool " + *line);
    Check(args.size() == 3);
  }
}

void CheckEditorCommandLine(const Text& editor, const std::vector<Text>& arguments, const Text& file) {
  Text joined;
  for (const Text& argument : arguments) {
    if (!joined.empty()) joined += u' ';
    joined += texttools::QuoteArgument(argument);
  }
  std::vector<Text> args = ParseCommandLine(EditorCommandLine(editor, joined, file));
  std::vector<Text> expected = {editor};
  expected.insert(expected.end(), arguments.begin(), arguments.end());
  if (!file.empty()) expected.push_back(file);
  Check(args == expected);
}

// Code page 932 for the tool entry's own fields: here, bytes widened one by
// one (the entry's text is made ASCII below, where every code page agrees).
class AsciiCodec : public tagsling::platform::TextCodec {
 public:
  Text SjisToWide(std::string_view bytes) override { return Text(bytes.begin(), bytes.end()); }
  std::string WideToSjis(std::u16string_view wide) override {
    std::string bytes;
    for (char16_t unit : wide) bytes += unit < 0x80 ? static_cast<char>(unit) : '?';
    return bytes;
  }
};

std::string AsciiOnly(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tagsling::fuzz::FieldReader input(data, size);
  const std::uint8_t options = input.Byte();
  const std::string template_bytes = input.Field(256);
  const std::string document_bytes = options & 1 ? "" : input.Field(260);
  const Text param_template = WideFromBytes(template_bytes);
  const Text document = WideFromBytes(document_bytes);
  const Text folder = options & 2 ? Text() : WideFromBytes(input.Field(260));
  // A file name never holds a quote.
  const std::string editor_bytes = input.Field(260);
  const Text editor = WideFromBytes(editor_bytes, u"\"");
  const Text editor_arguments = WideFromBytes(input.Field(256));
  tagsling::settings::ToolEntry tool;
  tool.File = AsciiOnly(input.Field(260));
  tool.TmpDir = AsciiOnly(input.Rest(260));
  tool.Param = AsciiOnly(template_bytes);
  AsciiCodec codec;
  const Text public_dir = options & 4 ? codec.SjisToWide(tool.TmpDir) : Text();

  CheckQuoting(document);
  CheckQuoting(editor_arguments);
  CheckToolParams(param_template, public_dir, document, folder);

  // The editor's own arguments: the argument field split at blanks, each
  // passed quoted.
  std::vector<Text> arguments;
  for (std::size_t start = 0; start < editor_arguments.size();) {
    std::size_t blank = editor_arguments.find(u' ', start);
    if (blank == Text::npos) blank = editor_arguments.size();
    if (blank > start) arguments.push_back(editor_arguments.substr(start, blank - start));
    start = blank + 1;
  }
  CheckEditorCommandLine(editor, arguments, document);

  std::string working = ToolWorkingFolder(tool);
  if (!tool.TmpDir.empty()) {
    Check(working == tool.TmpDir);
  } else {
    Check(tool.File.compare(0, working.size(), working) == 0);
    Check(working.empty() || texttools::EndsWithBackslash(working) || working.back() == ':');
  }
  std::optional<ShellStart> start = PlanExternalTool(
      tool, codec.WideToSjis(public_dir), [&](bool want_folder) { return want_folder ? folder : document; }, codec);
  if (start) Check(start->file == codec.SjisToWide(tool.File) && start->directory == codec.SjisToWide(working));

  // Internet Explorer's server start: the executable without ".exe", quoted.
  const std::string sjis_document = WellFormedSjis(document_bytes);
  const std::string command =
      ServerStartCommand(Browser::kInternetExplorer, WellFormedSjis(editor_bytes, "\""), sjis_document);
  Check(command.substr(1, command.find('"', 1) - 1).find(".exe") == std::string::npos);
  Check(texttools::FindText(texttools::RemoveEvery(sjis_document, "\\\\"), "\\\\") == std::string::npos);
  return 0;
}
