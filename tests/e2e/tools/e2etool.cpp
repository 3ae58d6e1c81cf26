// e2etool: the end-to-end tests' hands and eyes inside Wine.
// Finds windows by class, reads and writes an editor's text and selection,
// injects key events, and holds, reads or fills the clipboard (text with a
// registered format, or with a bitmap and a metafile, beside it). It also posts a palette command many times
// at once, and times one command until the editor shows the expected text.
// Arguments arrive as UTF-16 (wmain) and text is printed as UTF-8 so the
// Python side reads it as is.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

std::string ToUtf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  int len = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(len), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), len, nullptr, nullptr);
  return out;
}

void Print(const std::wstring& text) {
  std::string utf8 = ToUtf8(text);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

int Fail(const wchar_t* message) {
  std::string utf8 = ToUtf8(message) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  return 1;
}

struct FindData {
  std::wstring cls;
  HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param) {
  auto* data = reinterpret_cast<FindData*>(param);
  wchar_t name[256];
  GetClassNameW(hwnd, name, 256);
  if (data->cls == name && IsWindowVisible(hwnd)) {
    data->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindWindowOfClass(const std::wstring& cls) {
  FindData data{cls};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&data));
  return data.found;
}

struct ProcessWindow {
  const std::wstring& cls;
  DWORD process_id;
  bool found = false;
};

BOOL CALLBACK FindProcessWindow(HWND hwnd, LPARAM param) {
  auto* data = reinterpret_cast<ProcessWindow*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t name[256];
  GetClassNameW(hwnd, name, 256);
  if (owner == data->process_id && data->cls == name && IsWindowVisible(hwnd)) {
    data->found = true;
    return FALSE;
  }
  return TRUE;
}

// Starts a program and prints the milliseconds from just before its process
// is created until it shows a visible top-level window of the class. The
// program is left running.
int StartTime(const std::wstring& command_line, const std::wstring& cls, double seconds) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  std::wstring writable = command_line;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return Fail(L"cannot start the program");
  }
  CloseHandle(process.hThread);
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    ProcessWindow data{cls, process.dwProcessId};
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&data));
    QueryPerformanceCounter(&now);
    if (data.found) break;
    if (GetTickCount() > deadline) {
      CloseHandle(process.hProcess);
      return Fail(L"no window of the class appeared");
    }
    Sleep(1);
  }
  CloseHandle(process.hProcess);
  wchar_t buffer[32];
  swprintf(buffer, 32, L"%.1f\n", 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart);
  Print(buffer);
  return 0;
}

// The editor control of a top-level window, or the window itself.
HWND EditOf(HWND top) {
  HWND edit = FindWindowExW(top, nullptr, L"Edit", nullptr);
  return edit ? edit : top;
}

std::wstring WindowText(HWND hwnd) {
  LRESULT len = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  LRESULT got = SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

const std::map<std::wstring, WORD> kKeyNames = {
    {L"SHIFT", VK_SHIFT},   {L"CTRL", VK_CONTROL}, {L"ALT", VK_MENU},    {L"DELETE", VK_DELETE},
    {L"INSERT", VK_INSERT}, {L"LEFT", VK_LEFT},    {L"RIGHT", VK_RIGHT}, {L"UP", VK_UP},
    {L"DOWN", VK_DOWN},     {L"HOME", VK_HOME},    {L"END", VK_END},     {L"ESCAPE", VK_ESCAPE},
    {L"RETURN", VK_RETURN}, {L"TAB", VK_TAB},      {L"SPACE", VK_SPACE}, {L"BACK", VK_BACK},
};

WORD ParseKey(const std::wstring& name) {
  auto it = kKeyNames.find(name);
  if (it != kKeyNames.end()) return it->second;
  if (name.size() == 1) return static_cast<WORD>(towupper(name[0]));
  if (name.size() > 1 && (name[0] == L'F' || name[0] == L'f')) {
    int n = _wtoi(name.c_str() + 1);
    if (n >= 1 && n <= 24) return static_cast<WORD>(VK_F1 + n - 1);
  }
  if (name.rfind(L"0x", 0) == 0) return static_cast<WORD>(wcstoul(name.c_str(), nullptr, 16));
  return 0;
}

void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  if (vk == VK_DELETE || vk == VK_INSERT || (vk >= VK_PRIOR && vk <= VK_DOWN))
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  SendInput(1, &input, sizeof input);
}

int Keys(const std::vector<std::wstring>& steps) {
  for (const auto& step : steps) {
    size_t colon = step.find(L':');
    if (colon == std::wstring::npos) return Fail(L"step must be down:KEY, up:KEY or tap:KEY");
    std::wstring action = step.substr(0, colon);
    WORD vk = ParseKey(step.substr(colon + 1));
    if (!vk) return Fail(L"unknown key");
    if (action == L"down" || action == L"tap") SendKey(vk, false);
    if (action == L"up" || action == L"tap") SendKey(vk, true);
    Sleep(20);
  }
  return 0;
}

bool OpenClipboardRetry() {
  for (int i = 0; i < 100; ++i) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(20);
  }
  return false;
}

int ReadClipboard() {
  if (!OpenClipboardRetry()) return Fail(L"cannot open the clipboard");
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data) {
    auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (text) Print(text);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return 0;
}

int WriteClipboard(const std::wstring& text) {
  if (!OpenClipboardRetry()) return Fail(L"cannot open the clipboard");
  EmptyClipboard();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
  return 0;
}

int Activate(HWND top) {
  HWND fg = GetForegroundWindow();
  DWORD fg_thread = GetWindowThreadProcessId(fg, nullptr);
  DWORD target_thread = GetWindowThreadProcessId(top, nullptr);
  DWORD self = GetCurrentThreadId();
  AttachThreadInput(self, target_thread, TRUE);
  if (fg_thread && fg_thread != target_thread) AttachThreadInput(self, fg_thread, TRUE);
  if (IsIconic(top)) ShowWindow(top, SW_RESTORE);
  BringWindowToTop(top);
  SetForegroundWindow(top);
  SetFocus(EditOf(top));
  if (fg_thread && fg_thread != target_thread) AttachThreadInput(self, fg_thread, FALSE);
  AttachThreadInput(self, target_thread, FALSE);
  return 0;
}

// The screen rectangle of item `index` of a toolbar or tab control named
// `name` (its window text, or "class=" and its class for a control without
// text) inside `top`. The rectangle is read through memory of the window's
// own process, as the controls write it there.
struct ChildFind {
  std::wstring name;
  HWND found = nullptr;
};

BOOL CALLBACK FindChildByText(HWND hwnd, LPARAM param) {
  auto* data = reinterpret_cast<ChildFind*>(param);
  constexpr std::wstring_view kClassPrefix = L"class=";
  wchar_t text[256] = L"";
  if (data->name.starts_with(kClassPrefix)) {
    GetClassNameW(hwnd, text, 256);
    if (data->name.substr(kClassPrefix.size()) == text) data->found = hwnd;
    return data->found ? FALSE : TRUE;
  }
  GetWindowTextW(hwnd, text, 256);
  if (data->name == text) {
    data->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

int ItemRect(HWND top, const std::wstring& name, int index) {
  ChildFind find{name};
  EnumChildWindows(top, FindChildByText, reinterpret_cast<LPARAM>(&find));
  if (!find.found) return Fail(L"no such control");
  wchar_t cls[64] = L"";
  GetClassNameW(find.found, cls, 64);
  UINT message = 0;
  if (lstrcmpiW(cls, L"ToolbarWindow32") == 0) message = WM_USER + 29;  // TB_GETITEMRECT
  if (lstrcmpiW(cls, L"SysTabControl32") == 0) message = 0x1300 + 10;   // TCM_GETITEMRECT
  if (!message) return Fail(L"not a toolbar or tab control");
  DWORD pid = 0;
  GetWindowThreadProcessId(find.found, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return Fail(L"cannot open the process");
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT rect{};
  SIZE_T read = 0;
  bool ok = remote && SendMessageW(find.found, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, &rect, sizeof rect, &read);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!ok) return Fail(L"no such item");
  MapWindowPoints(find.found, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  wchar_t buffer[96];
  swprintf(buffer, 96, L"%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  Print(buffer);
  return 0;
}

// The command identifier of button `index` of the toolbar named `name`
// inside `top` (TB_GETBUTTON, read through the window's own process).
int ButtonId(HWND top, const std::wstring& name, int index) {
  ChildFind find{name};
  EnumChildWindows(top, FindChildByText, reinterpret_cast<LPARAM>(&find));
  if (!find.found) return Fail(L"no such control");
  DWORD pid = 0;
  GetWindowThreadProcessId(find.found, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return Fail(L"cannot open the process");
  void* remote = VirtualAllocEx(process, nullptr, sizeof(TBBUTTON), MEM_COMMIT, PAGE_READWRITE);
  TBBUTTON button{};
  SIZE_T read = 0;
  bool ok = remote &&
            SendMessageW(find.found, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, &button, sizeof button, &read);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!ok) return Fail(L"no such button");
  wchar_t buffer[32];
  swprintf(buffer, 32, L"%d\n", button.idCommand);
  Print(buffer);
  return 0;
}

// Posts WM_COMMAND `id` to `top` `count` times, `interval_ms` apart (0: without
// waiting in between), as a burst of clicks or a held hot key's repeats would
// deliver them.
int Burst(HWND top, int id, int count, int interval_ms) {
  for (int i = 0; i < count; ++i) {
    if (i > 0 && interval_ms > 0) Sleep(static_cast<DWORD>(interval_ms));
    PostMessageW(top, WM_COMMAND, static_cast<WPARAM>(id), 0);
  }
  return 0;
}

// Posts each WM_COMMAND id of `ids` to `top` in turn, `interval_ms` apart
// (a command that comes while another one still runs).
int Sequence(HWND top, int interval_ms, const std::vector<std::wstring>& ids) {
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (i > 0 && interval_ms > 0) Sleep(static_cast<DWORD>(interval_ms));
    PostMessageW(top, WM_COMMAND, static_cast<WPARAM>(_wtoi(ids[i].c_str())), 0);
  }
  return 0;
}

// Posts WM_COMMAND `id` to `top` and polls `watched` until `done` holds for
// its text; prints the milliseconds in between.
template <typename Done>
int TimeCommandUntil(HWND top, int id, HWND watched, Done done, double timeout_s) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  PostMessageW(top, WM_COMMAND, static_cast<WPARAM>(id), 0);
  for (;;) {
    QueryPerformanceCounter(&now);
    const double elapsed = static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    if (done(WindowText(watched))) {
      wchar_t buffer[32];
      swprintf(buffer, 32, L"%.1f\n", elapsed);
      Print(buffer);
      return 0;
    }
    if (elapsed > timeout_s * 1000.0) return Fail(L"the editor never showed the text");
    Sleep(1);
  }
}

// Until the editor of `editor_top` holds `expected`.
int TimeCommand(HWND top, int id, HWND editor_top, const std::wstring& expected, double timeout_s) {
  return TimeCommandUntil(
      top, id, EditOf(editor_top), [&](const std::wstring& text) { return text == expected; }, timeout_s);
}

// Until the title of `editor_top` contains `mark`: for editors whose text
// no message reads, the modification mark their title shows once the
// pasted text has arrived.
int TimeCommandTitle(HWND top, int id, HWND editor_top, const std::wstring& mark, double timeout_s) {
  return TimeCommandUntil(
      top, id, editor_top, [&](const std::wstring& title) { return title.find(mark) != std::wstring::npos; },
      timeout_s);
}

HGLOBAL GlobalCopy(const void* data, size_t bytes) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (mem) {
    std::memcpy(GlobalLock(mem), data, bytes);
    GlobalUnlock(mem);
  }
  return mem;
}

// Text plus a registered format `format` holding the UTF-8 bytes of `data`.
int WriteClipboardWithFormat(const std::wstring& text, const std::wstring& format, const std::wstring& data) {
  const UINT id = RegisterClipboardFormatW(format.c_str());
  const std::string bytes = ToUtf8(data);
  if (!id || !OpenClipboardRetry()) return Fail(L"cannot open the clipboard");
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
  SetClipboardData(id, GlobalCopy(bytes.data(), bytes.size()));
  CloseClipboard();
  return 0;
}

// The data of registered format `format` up to its first zero byte ("" when
// absent; the block may be longer than what was stored).
int ReadClipboardFormat(const std::wstring& format) {
  const UINT id = RegisterClipboardFormatW(format.c_str());
  if (!id || !OpenClipboardRetry()) return Fail(L"cannot open the clipboard");
  if (HANDLE data = GetClipboardData(id)) {
    const auto* bytes = static_cast<const char*>(GlobalLock(data));
    if (bytes) {
      std::string utf8(bytes, strnlen(bytes, GlobalSize(data)));
      DWORD written = 0;
      WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
    GlobalUnlock(data);
  }
  CloseClipboard();
  return 0;
}

// Text, a 4 x 3 red bitmap (CF_BITMAP) and an enhanced metafile: data the
// clipboard carries as handles rather than memory.
int WriteClipboardGraphics(const std::wstring& text) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 3);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT all = {0, 0, 4, 3};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(memory, &all, red);
  DeleteObject(red);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  HDC recorder = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Rectangle(recorder, 0, 0, 40, 30);
  HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
  if (!OpenClipboardRetry()) return Fail(L"cannot open the clipboard");
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
  SetClipboardData(CF_BITMAP, bitmap);
  SetClipboardData(CF_ENHMETAFILE, metafile);
  CloseClipboard();
  return 0;
}

// "bitmap W x H RRGGBB, metafile": what the clipboard's bitmap and enhanced
// metafile hold ("none" for what is missing).
int ReadClipboardGraphics() {
  if (!OpenClipboardRetry()) return Fail(L"cannot open the clipboard");
  std::wstring out = L"bitmap none";
  if (auto* bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const COLORREF pixel = GetPixel(memory, 1, 1);
    SelectObject(memory, old);
    DeleteDC(memory);
    wchar_t buffer[64];
    swprintf(buffer, 64, L"bitmap %ld x %ld %02X%02X%02X", info.bmWidth, info.bmHeight, GetRValue(pixel),
             GetGValue(pixel), GetBValue(pixel));
    out = buffer;
  }
  auto* metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
  out += metafile && GetEnhMetaFileBits(metafile, 0, nullptr) > 0 ? L", metafile" : L", metafile none";
  CloseClipboard();
  Print(out);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Fail(L"usage: e2etool VERB ARGS");
  std::wstring verb = argv[1];
  std::vector<std::wstring> args(argv + 2, argv + argc);
  auto need = [&](size_t n) { return args.size() >= n; };

  if (verb == L"keys") return Keys(args);
  if (verb == L"clip") return ReadClipboard();
  if (verb == L"setclip" && need(1)) return WriteClipboard(args[0]);
  if (verb == L"setclipformat" && need(3)) return WriteClipboardWithFormat(args[0], args[1], args[2]);
  if (verb == L"clipformat" && need(1)) return ReadClipboardFormat(args[0]);
  if (verb == L"setclipgraphics" && need(1)) return WriteClipboardGraphics(args[0]);
  if (verb == L"clipgraphics") return ReadClipboardGraphics();
  if (verb == L"holdclip" && need(1)) {
    if (!OpenClipboardRetry()) return Fail(L"cannot open the clipboard");
    Print(L"held\n");
    Sleep(static_cast<DWORD>(_wtoi(args[0].c_str())));
    CloseClipboard();
    return 0;
  }
  if (verb == L"foreground") {
    wchar_t name[256] = L"";
    GetClassNameW(GetForegroundWindow(), name, 256);
    Print(std::wstring(name) + L"\n");
    return 0;
  }
  if (verb == L"starttime" && need(3)) return StartTime(args[0], args[1], _wtof(args[2].c_str()));
  if (verb == L"wait" && need(2)) {
    DWORD deadline = GetTickCount() + static_cast<DWORD>(_wtof(args[1].c_str()) * 1000);
    while (!FindWindowOfClass(args[0])) {
      if (GetTickCount() > deadline) return Fail(L"no such window");
      Sleep(50);
    }
    return 0;
  }
  if (verb == L"workarea") {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    wchar_t buffer[96];
    swprintf(buffer, 96, L"%ld %ld %ld %ld\n", area.left, area.top, area.right, area.bottom);
    Print(buffer);
    return 0;
  }
  if (!need(1)) return Fail(L"missing window class");
  HWND top = FindWindowOfClass(args[0]);
  if (!top) return Fail(L"no such window");
  HWND edit = EditOf(top);

  if (verb == L"find") {
    wchar_t buffer[32];
    swprintf(buffer, 32, L"%llx\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(top)));
    Print(buffer);
    return 0;
  }
  if (verb == L"text") {
    Print(WindowText(edit));
    return 0;
  }
  if (verb == L"title") {
    Print(WindowText(top));
    return 0;
  }
  if (verb == L"settext" && need(2)) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()));
    return 0;
  }
  if (verb == L"sel") {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    wchar_t buffer[64];
    swprintf(buffer, 64, L"%lu %lu\n", start, end);
    Print(buffer);
    return 0;
  }
  if (verb == L"setsel" && need(3)) {
    SendMessageW(edit, EM_SETSEL, _wtoi(args[1].c_str()), _wtoi(args[2].c_str()));
    return 0;
  }
  if (verb == L"activate") return Activate(top);
  if (verb == L"rect") {
    RECT rect{};
    GetWindowRect(top, &rect);
    wchar_t buffer[96];
    swprintf(buffer, 96, L"%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    Print(buffer);
    return 0;
  }
  if (verb == L"itemrect" && need(3)) return ItemRect(top, args[1], _wtoi(args[2].c_str()));
  if (verb == L"zoomed") {
    Print(IsZoomed(top) && !IsIconic(top) ? L"1\n" : L"0\n");
    return 0;
  }
  if (verb == L"place" && need(5)) {  // CLASS X Y WIDTH HEIGHT, restored first when maximised
    if (IsZoomed(top)) ShowWindow(top, SW_RESTORE);
    SetWindowPos(top, HWND_NOTOPMOST, _wtoi(args[1].c_str()), _wtoi(args[2].c_str()), _wtoi(args[3].c_str()),
                 _wtoi(args[4].c_str()), SWP_FRAMECHANGED | SWP_NOACTIVATE);
    RedrawWindow(top, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
  }
  if (verb == L"buttonid" && need(3)) return ButtonId(top, args[1], _wtoi(args[2].c_str()));
  if (verb == L"burst" && need(3)) {
    return Burst(top, _wtoi(args[1].c_str()), _wtoi(args[2].c_str()), args.size() > 3 ? _wtoi(args[3].c_str()) : 0);
  }
  if (verb == L"sequence" && need(4)) {  // CLASS INTERVAL ID ID...
    return Sequence(top, _wtoi(args[1].c_str()), std::vector<std::wstring>(args.begin() + 2, args.end()));
  }
  if (verb == L"timecommand" && need(5)) {
    HWND editor = FindWindowOfClass(args[2]);
    if (!editor) return Fail(L"no such editor window");
    return TimeCommand(top, _wtoi(args[1].c_str()), editor, args[3], _wtof(args[4].c_str()));
  }
  if (verb == L"timetitle" && need(5)) {
    HWND editor = FindWindowOfClass(args[2]);
    if (!editor) return Fail(L"no such editor window");
    return TimeCommandTitle(top, _wtoi(args[1].c_str()), editor, args[3], _wtof(args[4].c_str()));
  }
  if (verb == L"close") {
    PostMessageW(top, WM_CLOSE, 0, 0);
    return 0;
  }
  return Fail(L"unknown verb or missing arguments");
}
