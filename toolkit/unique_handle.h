#pragma once
// One owner for every kind of Win32 handle, after wil's unique_any: the handle
// type and the function that frees it are the policy. Copy is deleted, move is
// allowed, and get/reset/release are the whole interface.
#include <windows.h>

#include <utility>

namespace voranel::win32 {

template <class Handle, class CloseResult, CloseResult(WINAPI* Close)(Handle)>
class UniqueAny {
 public:
  UniqueAny() = default;
  explicit UniqueAny(Handle handle) : handle_(handle) {}
  ~UniqueAny() { reset(); }
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(Handle handle = nullptr) {
    if (handle_) Close(handle_);
    handle_ = handle;
  }
  [[nodiscard]] Handle release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

template <class Object>
BOOL WINAPI DeleteGdiObject(Object object) {
  return ::DeleteObject(object);
}

using UniqueModule = UniqueAny<HMODULE, BOOL, ::FreeLibrary>;
using UniqueIcon = UniqueAny<HICON, BOOL, ::DestroyIcon>;
using UniqueMemoryDc = UniqueAny<HDC, BOOL, ::DeleteDC>;
using UniqueFont = UniqueAny<HFONT, BOOL, DeleteGdiObject<HFONT>>;
using UniqueBrush = UniqueAny<HBRUSH, BOOL, DeleteGdiObject<HBRUSH>>;
using UniquePen = UniqueAny<HPEN, BOOL, DeleteGdiObject<HPEN>>;
using UniqueBitmap = UniqueAny<HBITMAP, BOOL, DeleteGdiObject<HBITMAP>>;

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectGuard() {
    if (previous_ && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// BeginPaint on construction, EndPaint on scope exit.
class PaintGuard {
 public:
  explicit PaintGuard(HWND window) : window_(window) { ::BeginPaint(window, &paint_); }
  ~PaintGuard() { ::EndPaint(window_, &paint_); }
  PaintGuard(const PaintGuard&) = delete;
  PaintGuard& operator=(const PaintGuard&) = delete;

  HDC dc() const { return paint_.hdc; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

}  // namespace voranel::win32
