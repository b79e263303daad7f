#pragma once
// Scoped GDI: each helper gives back what it took when its scope ends, so a
// drawing routine leaks no DC and leaves no font or pen selected, however it
// returns. Declare an owned object before the selection that uses it: the
// selection is then undone before the object is deleted.
//
//   WindowDC screen(nullptr);
//   GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
//   ScopedSelect usePen(screen, pen);
#include <windows.h>

namespace tallix::ui {

// A font, brush, pen or bitmap selected into a DC; the previous one goes back
// at the end of the scope. A null object selects nothing.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelect() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A window's DC (the screen's for nullptr), released at the end of the scope.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC compatible with `like`, deleted at the end of the scope.
class MemoryDC {
 public:
  explicit MemoryDC(HDC like) : dc_(CreateCompatibleDC(like)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// A GDI object owned by the scope and deleted at its end.
template <class Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() {
    if (handle_) DeleteObject(handle_);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  operator Handle() const { return handle_; }

 private:
  Handle handle_;
};

}  // namespace tallix::ui
