#pragma once
// Registered external tools: the parameter line with the document path and
// base folder filled in, the working folder, and the report of a failed start.
// The tool's entry is code page 932 (the settings file); the parameter line
// is built in UTF-16, so a document path code page 932 cannot hold goes in
// as it is.
//
// A tool entry is read from the "Tools" list (settings::ReadToolEntry) at
// every start. Its parameter template may hold "%f"/"%F" (the HTML file open
// in the editor) and "%d"/"%D" (the base folder, or the document's folder
// when none is set); each becomes one quoted command-line argument.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "external/ShellStart.h"
#include "platform/TextCodec.h"
#include "settings/RegisteredLists.h"

namespace tagsling::external {

// GetEditorDocumentPath: the editor's document (false) or its folder (true),
// or "" after the lookup has told the user why it found nothing.
using DocumentLookup = std::function<platform::WideText(bool want_folder)>;

// Expands the template in one left-to-right pass: text put in for one
// placeholder is never searched again, so a path holding "%d" or "%f" goes in
// literally. The document is looked up only when the template asks for it,
// the file before the folder; nullopt when a needed lookup came back empty.
// `public_dir` (the Public_Dir setting) takes precedence for "%d".
std::optional<platform::WideText> ExpandToolParams(std::u16string_view param_template,
                                                   const platform::WideText& public_dir, const DocumentLookup& lookup);

// TmpDir, or when it is empty the folder part of File (ending in "\").
std::string ToolWorkingFolder(const settings::ToolEntry& tool);

// RunExternalTool's start, or nullopt when the document lookup failed (the
// user has been told; nothing starts).
std::optional<ShellStart> PlanExternalTool(const settings::ToolEntry& tool, const std::string& public_dir,
                                           const DocumentLookup& lookup, platform::TextCodec& codec);

// The report of a start the shell refused (shown with the report bracket):
// File " の起動に失敗しました(" code ")。" CR LF "「" Title "」の設定を確認して下さい。"
std::string ToolStartFailedMessage(const settings::ToolEntry& tool, std::intptr_t shell_result);

}  // namespace tagsling::external
