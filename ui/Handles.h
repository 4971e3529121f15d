// Owners for Win32 handles: each closes its handle once, in its destructor,
// with the call that matches how the handle was made. Move-only.
#pragma once

#include <windows.h>

#include <utility>

namespace ui {

template <class Handle, class Traits>
class TUniqueHandle {
 public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(Handle h) : h_(h) {}
  ~TUniqueHandle() { reset(); }
  TUniqueHandle(TUniqueHandle&& o) noexcept : h_(o.release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  Handle release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) Traits::Close(h_);
    h_ = h;
  }

 private:
  Handle h_ = Traits::Invalid();
};

struct THwndTraits { static HWND Invalid() { return nullptr; } static void Close(HWND h) { DestroyWindow(h); } };
struct TIconTraits { static HICON Invalid() { return nullptr; } static void Close(HICON h) { DestroyIcon(h); } };
struct TMenuTraits { static HMENU Invalid() { return nullptr; } static void Close(HMENU h) { DestroyMenu(h); } };
template <class T>
struct TGdiTraits { static T Invalid() { return nullptr; } static void Close(T h) { DeleteObject(h); } };
struct THandleTraits { static HANDLE Invalid() { return nullptr; } static void Close(HANDLE h) { CloseHandle(h); } };
struct TFileTraits { static HANDLE Invalid() { return INVALID_HANDLE_VALUE; } static void Close(HANDLE h) { CloseHandle(h); } };
struct THkeyTraits { static HKEY Invalid() { return nullptr; } static void Close(HKEY h) { RegCloseKey(h); } };

using TUniqueHwnd = TUniqueHandle<HWND, THwndTraits>;
using TUniqueIcon = TUniqueHandle<HICON, TIconTraits>;
using TUniqueMenu = TUniqueHandle<HMENU, TMenuTraits>;
using TUniqueFont = TUniqueHandle<HFONT, TGdiTraits<HFONT>>;
using TUniqueBrush = TUniqueHandle<HBRUSH, TGdiTraits<HBRUSH>>;
using TUniqueBitmap = TUniqueHandle<HBITMAP, TGdiTraits<HBITMAP>>;
using TUniqueKernelHandle = TUniqueHandle<HANDLE, THandleTraits>;  // events, threads, processes, mutexes
using TUniqueFile = TUniqueHandle<HANDLE, TFileTraits>;
using TUniqueHkey = TUniqueHandle<HKEY, THkeyTraits>;

// Selects a GDI object into a device context for one scope.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~TSelectObject() { SelectObject(dc_, old_); }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace ui
