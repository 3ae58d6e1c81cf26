#include "texttools/InputCommands.h"

#include <cstdio>
#include <functional>

#include "core/Templates.h"
#include "settings/ProfileFile.h"
#include "texttools/BaseFolder.h"
#include "texttools/Messages.h"
#include "texttools/PathText.h"

namespace tagsling::texttools {

namespace {

constexpr TagVocabulary kUpperWords{"IMG", "SRC=\"", "WIDTH=\"", "HEIGHT=\"", "ALT=\"", "<A HREF=\"", "</A>"};
constexpr TagVocabulary kLowerWords{"img", "src=\"", "width=\"", "height=\"", "alt=\"", "<a href=\"", "</a>"};

constexpr std::uint8_t kTabKey = 0x09;

// The vocabulary and the other markup are ASCII: widened unit by unit.
WideText Wide(std::string_view ascii) { return WideText(ascii.begin(), ascii.end()); }

WideText Link(const TagVocabulary& words, const WideText& target, const WideText& text) {
  return Wide(words.link_start) + target + u"\">" + text + Wide(words.link_end);
}

// The most of an Internet shortcut that is read: the URL is near the start
// of a file of a few hundred bytes.
constexpr std::size_t kShortcutReadLimit = 1 << 20;

// What a dialog body ends with.
struct DialogOutcome {
  enum Kind { kCancelled, kConfirmed, kStopped } kind = kCancelled;
  std::optional<WideText> text;  // pasted when confirmed
};

// The target window in front and its focused control, read while attached
// to its thread's input.
platform::WindowHandle FocusTarget(TextToolsContext& context) {
  platform::WindowSystem& windows = context.platform.windows;
  platform::WindowHandle target = core::ResolveTargetWindow(windows, context.through_classes);
  platform::ThreadId own = windows.CurrentThread();
  platform::ThreadId theirs = windows.ThreadOf(target);
  windows.AttachInput(own, theirs, true);
  windows.SetForeground(target);
  platform::WindowHandle focus = windows.FocusWindow();
  windows.AttachInput(own, theirs, false);
  return focus;
}

void RunDialogCommand(TextToolsContext& context, InputCommand command,
                      const std::function<DialogOutcome(InputHost&)>& dialog) {
  InputHost& host = *context.host;
  platform::WindowSystem& windows = context.platform.windows;
  InputBusyScope busy(host, command);
  if (host.PaletteShowing()) {
    core::BringToFrontAttached(windows, context.self.application);
  } else {
    windows.SetForeground(context.self.application);
  }
  host.SetMainWindowEnabled(false);
  windows.SetForeground(context.dialog_host_window);
  DialogOutcome outcome = dialog(host);
  if (outcome.kind == DialogOutcome::kStopped) return;
  platform::WindowHandle focus = FocusTarget(context);
  if (outcome.kind == DialogOutcome::kConfirmed && outcome.text && context.paste) context.paste(focus, *outcome.text);
}

bool ShiftHeld(TextToolsContext& context) { return context.platform.keyboard.IsKeyDown(platform::vk::kShift); }
bool CtrlHeld(TextToolsContext& context) { return context.platform.keyboard.IsKeyDown(platform::vk::kControl); }

}  // namespace

// ---- file-name input ----

const TagVocabulary& VocabularyFor(bool lower) { return lower ? kLowerWords : kUpperWords; }

FileInsertForm ChooseFileInsertForm(bool picture, bool image_size, bool ctrl, bool shift) {
  if (picture && image_size != ctrl) return shift ? FileInsertForm::kImgTag : FileInsertForm::kSizeAttributes;
  return shift ? FileInsertForm::kLink : FileInsertForm::kPath;
}

WideText FormatFileInsertText(FileInsertForm form, const TagVocabulary& words, const WideText& path,
                              const WideText& name, PictureSize size) {
  // Appended piece by piece: a literal in front of a temporary trips a false
  // -Wrestrict of GCC 12 when optimising.
  WideText attributes = Wide(words.source);
  attributes.append(path).append(u"\" ").append(Wide(words.width)).append(Wide(std::to_string(size.width)));
  attributes.append(u"\" ").append(Wide(words.height)).append(Wide(std::to_string(size.height))).append(u"\"");
  switch (form) {
    case FileInsertForm::kPath:
      return path;
    case FileInsertForm::kLink:
      return Link(words, path, name);
    case FileInsertForm::kSizeAttributes:
      return attributes;
    case FileInsertForm::kImgTag: {
      WideText tag(u"<");
      tag.append(Wide(words.element)).append(u" ").append(attributes).append(u" ");
      return tag.append(Wide(words.alternative)).append(name).append(u"\">");
    }
  }
  return path;
}

WideText BuildFileInsertText(TextToolsContext& context, const WideText& file, bool size_toggle, bool full_tag) {
  const settings::AppSettings& settings = context.settings;
  const TagVocabulary& words = VocabularyFor(settings.InsTextLower);
  PictureKind kind = PictureKindOf(file);
  FileInsertForm form = ChooseFileInsertForm(kind != PictureKind::kNone, settings.ImageSize, size_toggle, full_tag);
  PictureSize size;
  if (form == FileInsertForm::kSizeAttributes || form == FileInsertForm::kImgTag) {
    PictureSizeResult read = ReadPictureFileSize(context.files, file, kind);
    if (!read.size) {
      context.platform.feedback.ShowMessage(read.message, platform::MessageIcon::kError);
      return {};
    }
    size = *read.size;
  }
  // An empty path means the automatic lookup failed and was reported:
  // nothing is inserted rather than a tag with an empty address.
  WideText path = MakeInsertPath(context, file);
  if (path.empty()) return {};
  return FormatFileInsertText(form, words, path, FileNamePart(file), size);
}

FileDialogSpec FileNameDialogSpec(const settings::AppSettings& settings) {
  FileDialogSpec dialog;
  dialog.title = settings.ImageSize ? kFileDialogTitleImageSize : kFileDialogTitleNoImageSize;
  dialog.filters = {
      {kFilterAllFiles, "*.*"},    {kFilterHtmlFiles, "*.html;*.htm"},
      {kFilterTextFiles, "*.txt"}, {kFilterImageFiles, "*.gif;*.jpg;*.jpeg;*.png"},
      {kFilterGifFiles, "*.gif"},  {kFilterJpegFiles, "*.jpg;*.jpeg"},
      {kFilterPngFiles, "*.png"},
  };
  dialog.follow_shortcuts = false;
  return dialog;
}

void InsertFileName(TextToolsContext& context) {
  if (context.settings.Public_Dir.empty() && context.settings.SoutaiPathIns &&
      GetEditorDocumentPath(context, true).empty()) {
    return;
  }
  RunDialogCommand(context, InputCommand::kFileName, [&](InputHost& host) {
    FileDialogSpec dialog = FileNameDialogSpec(context.settings);
    dialog.initial_folder = DialogStartFolder(context, DialogFolder::kFileName);
    std::optional<WideText> file = host.ShowOpenDialog(dialog);
    if (!file) return DialogOutcome{};
    RememberDialogFolder(context, DialogFolder::kFileName, *file);
    bool shift = ShiftHeld(context);
    bool ctrl = CtrlHeld(context);
    WideText text = BuildFileInsertText(context, *file, ctrl, shift);
    DialogOutcome outcome{DialogOutcome::kConfirmed, std::nullopt};
    if (!text.empty()) outcome.text = text;
    return outcome;
  });
}

// ---- URL input ----

FileDialogSpec UrlDialogSpec(const settings::AppSettings& settings) {
  FileDialogSpec dialog;
  dialog.title = kUrlDialogTitle;
  dialog.filters = {{kFilterInternetShortcut, "*.url"}};
  dialog.follow_shortcuts = false;
  return dialog;
}

WideText UrlInsertText(const WideText& url, const WideText& shortcut_file, bool link, bool lower) {
  if (!link) return url;
  WideText name = FileNamePart(shortcut_file);
  const WideText extension = FileExtension(name);
  if (!extension.empty()) {
    for (std::size_t at; (at = name.find(extension)) != WideText::npos;) name.erase(at, extension.size());
  }
  return Link(VocabularyFor(lower), url, name);
}

std::string ReadShortcutUrl(FileSystem& files, const WideText& shortcut_file) {
  std::string error;
  std::unique_ptr<ByteSource> source = files.OpenFile(shortcut_file, error);
  if (!source) return {};
  const std::string text = source->ReadAt(0, kShortcutReadLimit);
  return settings::ProfileDocument::FromText(text).Get("InternetShortcut", "URL", "");
}

void InsertUrl(TextToolsContext& context) {
  RunDialogCommand(context, InputCommand::kUrl, [&](InputHost& host) {
    FileDialogSpec dialog = UrlDialogSpec(context.settings);
    dialog.initial_folder = DialogStartFolder(context, DialogFolder::kUrl);
    std::optional<WideText> file = host.ShowOpenDialog(dialog);
    if (!file) return DialogOutcome{};
    RememberDialogFolder(context, DialogFolder::kUrl, *file);
    const WideText url = context.platform.codec.SjisToWide(ReadShortcutUrl(context.files, *file));
    return DialogOutcome{DialogOutcome::kConfirmed,
                         UrlInsertText(url, *file, ShiftHeld(context), context.settings.InsTextLower)};
  });
}

// ---- text-file insertion ----

FileDialogSpec TextDialogSpec(const settings::AppSettings& settings) {
  FileDialogSpec dialog;
  dialog.title = kTextDialogTitle;
  dialog.filters = {{kFilterTextAndHtml, "*.txt;*.html;*.htm"}, {kFilterAllFiles, "*.*"}};
  return dialog;
}

std::string InsertableText(std::string_view bytes) {
  std::size_t end = bytes.find_first_of(std::string_view("\x1A\0", 2));
  return std::string(bytes.substr(0, end));
}

TextFileResult ReadInsertTextFile(FileSystem& files, const WideText& path) {
  TextFileResult result;
  std::optional<std::uint64_t> size = files.FileSize(path);
  if (size && *size > kTextFileLimit) {
    result.message = kMsgTextFileTooLarge;
    return result;
  }
  if (!files.FileExists(path)) {
    result.message = kMsgTextFileMissing;
    return result;
  }
  std::unique_ptr<ByteSource> source = files.OpenFile(path, result.message);
  if (!source) return result;
  // The file may have grown since its size was asked.
  std::string bytes = source->ReadAt(0, kTextFileLimit + 1);
  if (bytes.size() > kTextFileLimit) {
    result.message = kMsgTextFileTooLarge;
    return result;
  }
  result.text = InsertableText(bytes);
  return result;
}

void InsertTextFile(TextToolsContext& context) {
  RunDialogCommand(context, InputCommand::kTextFile, [&](InputHost& host) {
    FileDialogSpec dialog = TextDialogSpec(context.settings);
    dialog.initial_folder = DialogStartFolder(context, DialogFolder::kText);
    std::optional<WideText> file = host.ShowOpenDialog(dialog);
    if (!file) return DialogOutcome{};
    RememberDialogFolder(context, DialogFolder::kText, *file);
    TextFileResult read = ReadInsertTextFile(context.files, *file);
    if (!read.text) {
      ReportWithBracket(context, read.message);
      return DialogOutcome{DialogOutcome::kStopped, std::nullopt};
    }
    // The file's own text is code page 932, as it always was.
    return DialogOutcome{DialogOutcome::kConfirmed, context.platform.codec.SjisToWide(*read.text)};
  });
}

// ---- colour input ----

std::string ColorText(Rgb colour, bool lower) {
  char text[8];
  std::snprintf(text, sizeof text, lower ? "#%02x%02x%02x" : "#%02X%02X%02X", colour.red, colour.green, colour.blue);
  return text;
}

void InsertColour(TextToolsContext& context) {
  RunDialogCommand(context, InputCommand::kColour, [&](InputHost& host) {
    std::optional<Rgb> colour = host.ShowColorDialog();
    if (!colour) return DialogOutcome{};
    return DialogOutcome{DialogOutcome::kConfirmed, Wide(ColorText(*colour, context.settings.InsTextLower))};
  });
}

// ---- dialog start ----

void SendDialogStartKeys(platform::Keyboard& keyboard) {
  auto send = [&](std::uint8_t key, bool up) { keyboard.SendKeyEvent({key, keyboard.ScanCodeOf(key), up}); };
  if (keyboard.IsKeyDown(platform::vk::kAlt)) send(platform::vk::kAlt, true);
  send(platform::vk::kShift, false);
  send(kTabKey, false);
  send(kTabKey, true);
  send(platform::vk::kShift, true);
}

}  // namespace tagsling::texttools
