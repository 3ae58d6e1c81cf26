// enginehost: runs one tag command of the real insertion engine, on the real
// Win32 platform, against whatever window is the target right now, and exits
// when the job is done. The end-to-end tests use it until the palette exists.
//
//   enginehost.exe --ini FILE --datafile FILE [--no-boxes] COMMAND
//   COMMAND: run KEY | popup KEY | user N | popup-user N
//
// Settings and the pass-through list come from the INI file through the
// program's own loaders; templates from the data file. Beeps and messages
// are also written to stdout ("beep", "message: <UTF-8 text>"); with
// --no-boxes the message box itself is not shown. Exit code 0 when the job
// ended, 2 for a bad command line, 3 when the job did not end in 30 s.

#include <windows.h>

#include <cstdio>
#include <string>

#include "core/InsertionEngine.h"
#include "core/Templates.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32SettingsEnvironment.h"
#include "settings/AppSettings.h"
#include "settings/RegisteredLists.h"

namespace {

using namespace tagsling;

std::string ToSjis(const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(932, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, "?", nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(932, 0, wide.c_str(), static_cast<int>(wide.size()), out.data(), n, "?", nullptr);
  return out;
}

std::string WideToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = static_cast<int>(wide.size());
  int m = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), n, out.data(), m, nullptr, nullptr);
  return out;
}

std::string SjisToUtf8(const std::string& sjis) {
  if (sjis.empty()) return {};
  int n = MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, sjis.data(), static_cast<int>(sjis.size()), wide.data(), n);
  return WideToUtf8(wide);
}

// Reports every beep and message on stdout, then lets the real one happen.
class ReportingFeedback final : public platform::Feedback {
 public:
  ReportingFeedback(platform::Feedback& real, bool boxes) : real_(real), boxes_(boxes) {}
  void Beep() override {
    std::printf("beep\n");
    std::fflush(stdout);
    real_.Beep();
  }
  void ShowMessage(const std::string& text, platform::MessageIcon icon) override {
    std::printf("message: %s\n", SjisToUtf8(text).c_str());
    std::fflush(stdout);
    if (boxes_) real_.ShowMessage(text, icon);
  }
  void ShowWideMessage(const platform::WideText& text, platform::MessageIcon icon) override {
    std::printf("message: %s\n", WideToUtf8(std::wstring(text.begin(), text.end())).c_str());
    std::fflush(stdout);
    if (boxes_) real_.ShowWideMessage(text, icon);
  }

 private:
  platform::Feedback& real_;
  bool boxes_;
};

int Usage() {
  std::fprintf(stderr, "usage: enginehost --ini FILE --datafile FILE [--no-boxes] (run|popup|user|popup-user) ARG\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::string ini, datafile, command, argument;
  bool boxes = true;
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    if (a == L"--ini" && i + 1 < argc) {
      ini = ToSjis(argv[++i]);
    } else if (a == L"--datafile" && i + 1 < argc) {
      datafile = ToSjis(argv[++i]);
    } else if (a == L"--no-boxes") {
      boxes = false;
    } else if (command.empty() && i + 1 < argc) {
      command = ToSjis(a);
      argument = ToSjis(argv[++i]);
    } else {
      return Usage();
    }
  }
  if (ini.empty() || datafile.empty() || command.empty()) return Usage();

  platform::win32::Win32Desktop desk;
  platform::win32::Win32SettingsEnvironment environment(platform::kNoWindow, [] { return false; });
  settings::AppSettings& app = settings::GlobalAppSettings();
  settings::LoadSettings(app, environment, ini);
  settings::LoadThroughWindowList(ini);

  ReportingFeedback feedback(desk, boxes);
  platform::Platform p = desk.platform();
  platform::Platform reporting{p.clipboard, p.keyboard, p.windows, p.timers, feedback, p.codec};

  core::EngineHooks hooks;
  hooks.read_template = [&](const std::string& key) { return core::ReadTemplate(key, datafile); };
  hooks.read_user_template = [&](int n) { return core::ReadUserTemplate(n, ini); };
  hooks.through_classes = &settings::ThroughWindowClasses();
  core::InsertionEngine engine(reporting, app, hooks);

  if (command == "run") {
    engine.RunTagCommand(argument);
  } else if (command == "popup") {
    engine.RunTagCommandFromPopup(argument);
  } else if (command == "user") {
    engine.RunUserTag(std::atoi(argument.c_str()));
  } else if (command == "popup-user") {
    engine.RunUserTagFromPopup(std::atoi(argument.c_str()));
  } else {
    return Usage();
  }

  // The sandwich ticks run from this loop.
  const ULONGLONG deadline = GetTickCount64() + 30000;
  while (engine.IsBusy()) {
    if (GetTickCount64() > deadline) return 3;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    desk.ProcessPendingMessages();
  }
  std::printf("done\n");
  std::fflush(stdout);
  return 0;
}
