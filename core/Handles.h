// Owners for Win32 handles: each closes its handle once, in its destructor,
// with the call that matches how the handle was made. Move-only. Also the
// scoped pairs that come with handles: a window's or a paint's device context,
// a GDI object selected for one scope, a COM reference, OLE on this thread.
// Win32 only; file listings are in core/ForEachFile.h.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <utility>

namespace core {

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
struct TDcTraits { static HDC Invalid() { return nullptr; } static void Close(HDC h) { DeleteDC(h); } };
struct THandleTraits { static HANDLE Invalid() { return nullptr; } static void Close(HANDLE h) { CloseHandle(h); } };
struct TFileTraits { static HANDLE Invalid() { return INVALID_HANDLE_VALUE; } static void Close(HANDLE h) { CloseHandle(h); } };
struct TFindTraits { static HANDLE Invalid() { return INVALID_HANDLE_VALUE; } static void Close(HANDLE h) { FindClose(h); } };
struct THkeyTraits { static HKEY Invalid() { return nullptr; } static void Close(HKEY h) { RegCloseKey(h); } };
struct TLibraryTraits { static HMODULE Invalid() { return nullptr; } static void Close(HMODULE h) { FreeLibrary(h); } };

using TUniqueHwnd = TUniqueHandle<HWND, THwndTraits>;
using TUniqueIcon = TUniqueHandle<HICON, TIconTraits>;
using TUniqueMenu = TUniqueHandle<HMENU, TMenuTraits>;
using TUniqueFont = TUniqueHandle<HFONT, TGdiTraits<HFONT>>;
using TUniqueBrush = TUniqueHandle<HBRUSH, TGdiTraits<HBRUSH>>;
using TUniqueBitmap = TUniqueHandle<HBITMAP, TGdiTraits<HBITMAP>>;
using TUniqueMemoryDC = TUniqueHandle<HDC, TDcTraits>;  // CreateCompatibleDC
using TUniqueKernelHandle = TUniqueHandle<HANDLE, THandleTraits>;  // events, threads, processes, mutexes
using TUniqueFile = TUniqueHandle<HANDLE, TFileTraits>;
using TUniqueFind = TUniqueHandle<HANDLE, TFindTraits>;  // FindFirstFileA
using TUniqueHkey = TUniqueHandle<HKEY, THkeyTraits>;
using TUniqueLibrary = TUniqueHandle<HMODULE, TLibraryTraits>;  // LoadLibraryA

// The device context of a window's client area (or of the screen, for no
// window) for one scope: GetDC and ReleaseDC. get() is null when GetDC failed.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// One WM_PAINT's device context: BeginPaint and EndPaint, which validates the
// update region on every way out.
class TPaintDC {
 public:
  explicit TPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
  ~TPaintDC() { EndPaint(window_, &ps_); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;

  HDC get() const { return dc_; }
  const PAINTSTRUCT& Info() const { return ps_; }
  const RECT& Area() const { return ps_.rcPaint; }  // the part to draw

 private:
  HWND window_;
  PAINTSTRUCT ps_ = {};
  HDC dc_;
};

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

// One counted reference to a COM object. Attach takes over a reference the
// caller already holds (what a Create or Query function handed out); Share adds one.
template <class T>
class TComPtr {
 public:
  TComPtr() = default;
  static TComPtr Attach(T* p) { return TComPtr(p); }
  static TComPtr Share(T* p) {
    if (p) p->AddRef();
    return TComPtr(p);
  }
  ~TComPtr() { reset(); }
  TComPtr(const TComPtr& o) : p_(o.p_) {
    if (p_) p_->AddRef();
  }
  TComPtr(TComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  TComPtr& operator=(TComPtr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Gives up the reference to the caller.
  T* release() { return std::exchange(p_, nullptr); }
  void reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  // For functions that hand out a reference through a T** argument; drops the old one first.
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }

 private:
  explicit TComPtr(T* p) : p_(p) {}
  T* p_ = nullptr;
};

// OLE for the calling thread for one scope. Uninitialises only after a start
// that succeeded (S_FALSE counts: it also needs its OleUninitialize); a thread
// already in the multithreaded apartment refuses, and then nothing is undone.
class TOleSession {
 public:
  TOleSession() : hr_(OleInitialize(nullptr)) {}
  ~TOleSession() {
    if (SUCCEEDED(hr_)) OleUninitialize();
  }
  TOleSession(const TOleSession&) = delete;
  TOleSession& operator=(const TOleSession&) = delete;

  bool Started() const { return SUCCEEDED(hr_); }
  HRESULT Result() const { return hr_; }

 private:
  HRESULT hr_;
};

}  // namespace core
