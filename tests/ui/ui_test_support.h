#pragma once
// Shared by the toolkit tests: a recording parent window, message pumping
// (tests pump pending messages before asserting instead of sleeping) and
// rendering a window's client area into memory to look at its pixels.
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tallix::ui::test {

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A top-level window that records the notifications its children send.
// Tests share one (SharedParent): Wine without a window manager spends two
// seconds on hiding or destroying an active top-level window.
class RecordingParent {
 public:
  RecordingParent() {
    static bool registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"TallixUiTestParent";
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    window = CreateWindowExW(0, L"TallixUiTestParent", L"test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 300,
                             nullptr, nullptr, GetModuleHandleW(nullptr), this);
    Pump();
  }
  ~RecordingParent() {
    if (IsWindow(window)) DestroyWindow(window);
    Pump();
  }
  RecordingParent(const RecordingParent&) = delete;
  RecordingParent& operator=(const RecordingParent&) = delete;

  void Reset() {
    commands.clear();
    otherMessages.clear();
    SetFocus(window);
    Pump();
  }

  int Clicks(int id) const {
    int n = 0;
    for (auto& [cid, code] : commands)
      if (cid == id && code == BN_CLICKED) ++n;
    return n;
  }

  HWND window = nullptr;
  std::vector<std::pair<int, int>> commands;  // (id, notification code)
  std::vector<UINT> otherMessages;            // mouse messages and WM_NOTIFY

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCCREATE)
      SetWindowLongPtrW(w, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<RecordingParent*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self) {
      if (m == WM_COMMAND) self->commands.emplace_back(LOWORD(wp), HIWORD(wp));
      if (m == WM_NOTIFY || m == WM_LBUTTONDOWN || m == WM_MOUSEMOVE || m == WM_RBUTTONUP)
        self->otherMessages.push_back(m);
    }
    return DefWindowProcW(w, m, wp, lp);
  }
};

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

inline RecordingParent& SharedParent() {
  static RecordingParent* parent = new RecordingParent;  // lives until the process ends
  parent->Reset();
  return *parent;
}

// Client-area pixels of a window, drawn through WM_PRINTCLIENT into a DIB.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> data;  // 0x00RRGGBB, top-down

  COLORREF At(int x, int y) const {
    uint32_t p = data[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int Count(COLORREF color) const {
    int n = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) n += At(x, y) == color;
    return n;
  }
  int Differences(const Pixels& other) const {
    int n = 0;
    for (size_t i = 0; i < data.size() && i < other.data.size(); ++i) n += data[i] != other.data[i];
    return n;
  }
};

inline constexpr COLORREF kSentinel = RGB(1, 2, 3);

// Paints with `draw` into a fresh DIB of the given size prefilled with kSentinel.
template <class Draw>
Pixels RenderWith(int width, int height, Draw draw) {
  Pixels result;
  result.width = width;
  result.height = height;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, dib);
  RECT all{0, 0, width, height};
  HBRUSH sentinel = CreateSolidBrush(kSentinel);
  FillRect(dc, &all, sentinel);
  DeleteObject(sentinel);
  draw(dc);
  GdiFlush();
  auto* px = static_cast<const uint32_t*>(bits);
  result.data.assign(px, px + static_cast<size_t>(width) * height);
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
  return result;
}

inline Pixels Render(HWND window) {
  RECT rc;
  GetClientRect(window, &rc);
  return RenderWith(rc.right, rc.bottom,
                    [&](HDC dc) { SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT); });
}

// A bitmap of one colour.
inline HBITMAP SolidBitmap(COLORREF color, int size = 16) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT rc{0, 0, size, size};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rc, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

// A crisp font, so caption pixels carry the exact caption colour.
inline HFONT MakeCrispFont(int height = -20) {
  return CreateFontW(height, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                     NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

inline Pixels ScreenPixels(HWND window);

// Waits (pumping) until two looks at the window on the screen agree: the
// display server shows what was painted a little later, and a photograph taken
// in between catches a half-painted window.
inline void AwaitSettledScreen(HWND window) {
  Pixels last = ScreenPixels(window);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000;) {
    Pump();
    Sleep(20);
    Pixels now = ScreenPixels(window);
    if (now.data == last.data) return;
    last = std::move(now);
  }
}

// The window's pixels as the screen shows them, as a BMP file, once settled.
inline void Photograph(HWND window, const std::string& path) {
  AwaitSettledScreen(window);
  RECT area{};
  GetWindowRect(window, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER file{0x4D42,
                        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + rowBytes * height), 0,
                        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), rowBytes * height);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// A window's pixels as the screen shows them (frame included), window
// coordinates.
inline Pixels ScreenPixels(HWND window) {
  RECT area{};
  GetWindowRect(window, &area);
  return RenderWith(area.right - area.left, area.bottom - area.top, [&](HDC dc) {
    HDC screen = GetDC(nullptr);
    BitBlt(dc, 0, 0, area.right - area.left, area.bottom - area.top, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  });
}

// A visible top-level form of this thread ("FORM_TALLIX_..." class) that
// `known` does not hold; the one shown last when there are several.
inline HWND UnknownForm(const std::set<HWND>& known) {
  struct Search {
    const std::set<HWND>* known;
    HWND found = nullptr;
  } search{&known};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (IsWindowVisible(window) && ClassOf(window).rfind(L"FORM_TALLIX_", 0) == 0 && !s->known->contains(window))
          s->found = window;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tallix::ui::test
