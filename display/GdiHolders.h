// Owners for the GDI objects one paint makes: each is released when the paint's scope ends, also
// on an early return, so a paint can never leak a brush, a pen, a memory context or a bitmap.
#pragma once
#include <windows.h>

namespace gdi {

// A brush, pen, font or bitmap made by the paint; deleted at the end of the scope.
template <typename Handle>
class Object {
 public:
  explicit Object(Handle handle) : handle_(handle) {}
  ~Object() {
    if (handle_) DeleteObject(handle_);
  }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_;
};

using Brush = Object<HBRUSH>;
using Pen = Object<HPEN>;
using Bitmap = Object<HBITMAP>;

// A memory device context compatible with another one; deleted at the end of the scope.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// An object selected into a context; the previous selection comes back at the end of the scope,
// so the object can be deleted afterwards (a selected object cannot).
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A memory context that holds a bitmap owned elsewhere (a skin bitmap) to copy pieces from. Without
// a bitmap there is no context at all, and get() is null.
class BitmapSource {
 public:
  BitmapSource(HDC compatibleWith, HBITMAP bitmap) {
    if (!bitmap) return;
    dc_ = CreateCompatibleDC(compatibleWith);
    if (dc_) previous_ = SelectObject(dc_, bitmap);
  }
  ~BitmapSource() {
    if (!dc_) return;
    if (previous_) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  BitmapSource(const BitmapSource&) = delete;
  BitmapSource& operator=(const BitmapSource&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// BeginPaint / EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

}  // namespace gdi
