// restool.exe: reads the version and icon resources of a program file the way
// Explorer does, for the release tests. One line per fact, UTF-8:
//   fixed FILEVERSION PRODUCTVERSION FILETYPE   the numbers of VS_FIXEDFILEINFO (a.b.c.d, type in decimal)
//   string NAME=VALUE                           each string of the first translation
//   icon SIZE BITS HASH                         each picture of the first icon group: its size, colour
//                                               depth and the FNV-1a hash of its pixels as Windows
//                                               decodes them (top row first, B G R A bytes)
//   large SIZE                                  the size of the large icon ExtractIconEx gives
// Exit status 1 when the file cannot be read.
//   restool PATH

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& text) {
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr, nullptr);
  utf8 += '\n';
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

std::wstring Numbers(DWORD high, DWORD low) {
  wchar_t buffer[64];
  swprintf(buffer, 64, L"%u.%u.%u.%u", HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low));
  return buffer;
}

bool PrintVersion(const wchar_t* path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return false;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoW(path, 0, size, data.data())) return false;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    Print(L"fixed " + Numbers(fixed->dwFileVersionMS, fixed->dwFileVersionLS) + L" " +
          Numbers(fixed->dwProductVersionMS, fixed->dwProductVersionLS) + L" " + std::to_wstring(fixed->dwFileType));
  }
  struct Translation {
    WORD language, codepage;
  }* translations = nullptr;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) ||
      length < sizeof(Translation)) {
    return true;
  }
  wchar_t block[64];
  swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translations[0].language, translations[0].codepage);
  for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
                              L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
    wchar_t* value = nullptr;
    if (VerQueryValueW(data.data(), (std::wstring(block) + name).c_str(), reinterpret_cast<void**>(&value), &length) &&
        value) {
      Print(std::wstring(L"string ") + name + L"=" + value);
    }
  }
  return true;
}

BOOL CALLBACK FirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
  *reinterpret_cast<LPCWSTR*>(param) = IS_INTRESOURCE(name) ? name : nullptr;
  return FALSE;
}

// The pixels of an icon as 32-bit top-down B, G, R, A.
std::vector<std::uint32_t> Pixels(HICON icon, int size) {
  ICONINFO info{};
  std::vector<std::uint32_t> pixels(static_cast<size_t>(size) * size);
  if (!GetIconInfo(icon, &info)) return {};
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size;
  format.bmiHeader.biHeight = -size;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  const int rows = GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(size), pixels.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  if (rows != size) return {};
  return pixels;
}

#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colors, reserved;
  WORD planes, bits;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

void PrintIcons(const wchar_t* path) {
  HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return;
  LPCWSTR group = nullptr;
  EnumResourceNamesW(module, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, FirstName, reinterpret_cast<LONG_PTR>(&group));
  HRSRC found = group ? FindResourceW(module, group, MAKEINTRESOURCEW(14)) : nullptr;
  const BYTE* directory = found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found))) : nullptr;
  const WORD count = directory ? *reinterpret_cast<const WORD*>(directory + 4) : 0;
  for (WORD i = 0; i < count; ++i) {
    GroupEntry entry;
    memcpy(&entry, directory + 6 + i * sizeof(GroupEntry), sizeof entry);
    const int size = entry.width == 0 ? 256 : entry.width;
    HRSRC picture = FindResourceW(module, MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3) /* RT_ICON */);
    if (!picture) continue;
    BYTE* bits = static_cast<BYTE*>(LockResource(LoadResource(module, picture)));
    HICON icon = CreateIconFromResourceEx(bits, SizeofResource(module, picture), TRUE, 0x00030000, size, size, 0);
    std::uint32_t hash = 2166136261u;
    for (std::uint32_t pixel : icon ? Pixels(icon, size) : std::vector<std::uint32_t>{}) {
      for (int shift = 0; shift < 32; shift += 8) hash = (hash ^ ((pixel >> shift) & 0xff)) * 16777619u;
    }
    if (icon) DestroyIcon(icon);
    wchar_t line[96];
    swprintf(line, 96, L"icon %d %u %08x", size, entry.bits, icon ? hash : 0u);
    Print(line);
  }
  FreeLibrary(module);
  HICON large = nullptr;
  if (ExtractIconExW(path, 0, &large, nullptr, 1) == 1 && large) {
    ICONINFO info{};
    BITMAP bitmap{};
    if (GetIconInfo(large, &info) && GetObjectW(info.hbmColor, sizeof bitmap, &bitmap)) {
      Print(L"large " + std::to_wstring(bitmap.bmWidth));
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(large);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  if (!PrintVersion(argv[1])) return 1;
  PrintIcons(argv[1]);
  return 0;
}
