#pragma once
// Thin owners of the Windows handles the palette program creates. Each one
// releases its handle in the destructor and can be moved but not copied, so
// a handle is freed exactly once on every path, exceptions included.

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace tagsling::win {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  // Gives up ownership without freeing.
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Traits::Free(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

struct KernelHandleTraits {
  static void Free(HANDLE h) { CloseHandle(h); }
};
struct MenuTraits {
  static void Free(HMENU h) { DestroyMenu(h); }
};
struct IconTraits {
  static void Free(HICON h) { DestroyIcon(h); }
};
struct GdiTraits {
  static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct ImageListTraits {
  static void Free(HIMAGELIST h) { ImageList_Destroy(h); }
};
struct WindowTraits {
  static void Free(HWND h) { DestroyWindow(h); }
};
struct ModuleTraits {
  static void Free(HMODULE h) { FreeLibrary(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiTraits>;
using UniquePen = UniqueHandle<HPEN, GdiTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

// A device context of the screen, compatible memory DCs and the object
// selected into them for the length of a drawing step.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  ~MemoryDc() { DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectObjectScope() { SelectObject(dc_, old_); }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace tagsling::win
