// What the themed key does: pressed and released by mouse and keyboard, its
// settings, and its object behind the window.
#include "ui/xp_button.h"

#include <windowsx.h>

#include <utility>

#include "ui/accessible_button.h"
#include "ui/accessible_object.h"
#include "ui/scaling.h"
#include "ui/ux_theme.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

// Each slot keeps its own type (XPButtonInfo::imageTypes), so that it is
// drawn and freed correctly.
void DeleteImage(HANDLE image, int type) {
  if (!image) return;
  if (type == 1)
    DestroyIcon(static_cast<HICON>(image));
  else
    DeleteObject(image);
}

class XPButton {
 public:
  explicit XPButton(HWND window) : window_(window) {
    key_.textFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    key_.font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    key_.imagePosition = kImageLeft | kImageVCenter;
    key_.imageMargin = key_.textMargin = 4;
    key_.themed = ThemingActive();
  }
  ~XPButton() {
    for (int slot = 0; slot < 3; ++slot)
      if (imageOwned_[slot]) DeleteImage(key_.images[slot], key_.imageTypes[slot]);
    if (key_.fontOwned && key_.font) DeleteObject(key_.font);
  }

  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Setters behind the exported functions.
  HANDLE SetImage(HANDLE image, int type, int slot, bool keep);
  HFONT SetFont(HFONT font, bool keep);
  int SetToggleState(int state) { return std::exchange(key_.toggled, state ? -1 : 0); }
  int SetToggleMode(int flag) { return std::exchange(key_.toggleMode, flag != 0); }
  int SetImageWidth(int value) { return std::exchange(key_.imageWidth, value); }
  int SetImageHeight(int value) { return std::exchange(key_.imageHeight, value); }
  int SetImagePosition(int value) { return std::exchange(key_.imagePosition, value); }
  int SetImageMargin(int value) { return std::exchange(key_.imageMargin, value); }
  int SetTextMargin(int value) { return std::exchange(key_.textMargin, value); }

  const XPButtonInfo& Info() const { return key_; }
  RECT CaptionRectNow() const { return KeyCaptionRect(window_, Info(), DpiOf(window_)); }
  // A hidden button is painted when it is shown: nothing to do before.
  void Redraw() {
    if (IsWindowVisible(window_)) RepaintNow(window_);
  }

 private:
  bool PointInside(LPARAM lParam) const {
    RECT rc;
    GetClientRect(window_, &rc);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&rc, pt) != FALSE;
  }
  void NotifyClick() {
    if (HWND parent = GetParent(window_))
      SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), BN_CLICKED),
                   reinterpret_cast<LPARAM>(window_));
  }
  void Press() {
    key_.toggled = key_.toggled ? 0 : -1;
    key_.state = kXPButtonHeld;
  }

  LRESULT OnLButtonDown(LPARAM lParam);
  LRESULT OnLButtonUp(LPARAM lParam);
  LRESULT OnKeyDown(WPARAM key, LPARAM lParam);
  LRESULT OnKeyUp(WPARAM key);
  LRESULT OnMouseMove();
  LRESULT OnClickRequest();
  LRESULT OnMouseLeave();
  LRESULT OnSetFont(HFONT font, bool redraw);
  LRESULT OnGetDlgCode(const MSG* msg);
  void Draw(HDC dc) const { DrawKey(window_, dc, Info(), DpiOf(window_)); }

  HWND window_;
  // Its settings and state, handed out as they are.
  XPButtonInfo key_;
  bool imageOwned_[3] = {};  // the button deletes the slot's image
  HCURSOR cursor_ = LoadCursorW(nullptr, IDC_ARROW);
};

LRESULT XPButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintWith(window_, [this](HDC dc) { Draw(dc); });
    case WM_PRINTCLIENT: Draw(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Redraw(); return 0;
    case WM_THEMECHANGED:
      ForgetKeyTheme();
      Redraw();
      return 0;
    case WM_SETFONT: return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(key_.font);
    case WM_SETCURSOR: SetCursor(cursor_); return TRUE;
    case WM_GETDLGCODE: return OnGetDlgCode(reinterpret_cast<const MSG*>(lParam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnLButtonDown(lParam);
    case WM_LBUTTONUP: return OnLButtonUp(lParam);
    case WM_KEYDOWN: return OnKeyDown(wParam, lParam);
    case WM_KEYUP: return OnKeyUp(wParam);
    case WM_MOUSEMOVE: return OnMouseMove();
    case WM_MOUSELEAVE: return OnMouseLeave();
    case WM_COMMAND:
    case WM_NOTIFY:
      if (HWND parent = GetParent(window_)) SendMessageW(parent, message, wParam, lParam);
      break;
    case WM_GETOBJECT:
      if (AsksForClient(lParam))
        if (LRESULT object = AnswerKeyObject(window_, wParam, GetXPButtonInfo)) return object;
      break;
    case BM_CLICK: return OnClickRequest();
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT XPButton::OnGetDlgCode(const MSG* msg) {
  if (!msg) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if ((msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
  return 0;
}

LRESULT XPButton::OnLButtonDown(LPARAM lParam) {
  if (!PointInside(lParam)) return 0;
  Press();
  SetCapture(window_);
  if (GetFocus() != window_) SetFocus(window_);
  Redraw();
  return 0;
}

LRESULT XPButton::OnLButtonUp(LPARAM lParam) {
  // Only a release that ends a press made on this button clicks: a stray
  // release (the press began elsewhere) must not enter a key.
  bool wasHeld = key_.state == kXPButtonHeld;
  if (GetCapture() == window_) ReleaseCapture();
  key_.state = 0;
  Redraw();
  if (wasHeld && IsWindowEnabled(window_) && PointInside(lParam)) NotifyClick();
  return 0;
}

LRESULT XPButton::OnKeyDown(WPARAM key, LPARAM lParam) {
  if (key != VK_RETURN && key != VK_SPACE) return 0;
  // Auto-repeat while the key is held must not flip a toggle button back and forth.
  bool repeat = (lParam & (1L << 30)) != 0 && key_.state == kXPButtonHeld;
  if (!repeat) Press();
  Redraw();
  return 0;
}

LRESULT XPButton::OnKeyUp(WPARAM key) {
  if (key_.state != kXPButtonHeld || (key != VK_RETURN && key != VK_SPACE)) return 0;
  key_.state = 0;
  Redraw();
  if (IsWindowEnabled(window_)) NotifyClick();
  return 0;
}

// BM_CLICK, as a screen reader's default action sends it: a press and release.
LRESULT XPButton::OnClickRequest() {
  if (!IsWindowEnabled(window_)) return 0;
  Press();
  key_.state = 0;
  Redraw();
  NotifyClick();
  return 0;
}

LRESULT XPButton::OnMouseMove() {
  if (key_.hot) return 0;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
  TrackMouseEvent(&track);
  key_.hot = true;
  Redraw();
  return 0;
}

LRESULT XPButton::OnMouseLeave() {
  key_.hot = false;
  Redraw();
  return 0;
}

LRESULT XPButton::OnSetFont(HFONT font, bool redraw) {
  if (font && font != key_.font) {
    // A font handed over earlier is ours to delete; the new one stays the sender's.
    if (key_.fontOwned && key_.font) DeleteObject(key_.font);
    key_.font = font;
    key_.fontOwned = false;
  }
  if (redraw) Redraw();
  return 0;
}

HANDLE XPButton::SetImage(HANDLE image, int type, int slot, bool keep) {
  const int i = slot - 1;
  HANDLE previous = key_.images[i];
  // Setting the image a slot already holds must not delete it.
  if (imageOwned_[i] && previous != image) DeleteImage(previous, key_.imageTypes[i]);
  key_.images[i] = image;
  key_.imageTypes[i] = type;
  imageOwned_[i] = !keep;
  key_.imageType = type;
  key_.imageWidth = key_.imageHeight = 16;
  return previous;
}

HFONT XPButton::SetFont(HFONT font, bool keep) {
  HFONT previous = key_.font;
  if (key_.fontOwned && previous && previous != font) DeleteObject(previous);
  key_.font = font;
  key_.fontOwned = !keep;
  return previous;
}

XPButton* ButtonOf(HWND window) { return HasClass(window, kXPButtonClass) ? ObjectOf<XPButton>(window) : nullptr; }

// Runs a setter on a live button and repaints when asked; 0 for anything else.
template <class Result, class Fn>
Result WithButton(HWND window, BOOL redraw, Fn fn) {
  XPButton* button = ButtonOf(window);
  if (!button) return Result{};
  Result result = fn(*button);
  if (redraw) button->Redraw();
  return result;
}

}  // namespace

bool RegisterXPButtonClass() { return EnsureControlClass(kXPButtonClass, DispatchToObject<XPButton>); }

std::optional<XPButtonInfo> GetXPButtonInfo(HWND window) {
  XPButton* button = ButtonOf(window);
  if (!button) return std::nullopt;
  return button->Info();
}

std::optional<RECT> GetXPButtonCaptionRect(HWND window) {
  XPButton* button = ButtonOf(window);
  if (!button) return std::nullopt;
  return button->CaptionRectNow();
}

}  // namespace tallix::ui

using tallix::ui::WithButton;
using tallix::ui::XPButton;

HWND WINAPI CREATEXPBUTTON(HWND parent, INT_PTR id, LPCWSTR caption, int x, int y, int width, int height, DWORD style,
                           DWORD exStyle, LPARAM) {
  if (!tallix::ui::RegisterXPButtonClass()) return nullptr;
  return tallix::ui::CreateChild(tallix::ui::kXPButtonClass, parent, static_cast<int>(id), caption, x, y, width, height,
                                 style | WS_CHILD, exStyle);
}

HANDLE WINAPI TB_XPBUTTON_SETIMAGE(HWND button, HANDLE image, int type, int slot, BOOL redraw, BOOL keep) {
  if (!image || (type != 0 && type != 1) || slot < 1 || slot > 3) return nullptr;
  return WithButton<HANDLE>(button, redraw, [&](XPButton& b) { return b.SetImage(image, type, slot, keep != 0); });
}

int WINAPI TB_XPBUTTON_SETIMAGEWIDTH(HWND button, int width, BOOL redraw) {
  return WithButton<int>(button, redraw, [&](XPButton& b) { return b.SetImageWidth(width); });
}

int WINAPI TB_XPBUTTON_SETIMAGEHEIGHT(HWND button, int height, BOOL redraw) {
  return WithButton<int>(button, redraw, [&](XPButton& b) { return b.SetImageHeight(height); });
}

int WINAPI TB_XPBUTTON_SETIMAGEPOS(HWND button, int flags, BOOL redraw) {
  return WithButton<int>(button, redraw, [&](XPButton& b) { return b.SetImagePosition(flags); });
}

int WINAPI TB_XPBUTTON_SETIMAGEMARGIN(HWND button, int margin, BOOL redraw) {
  return WithButton<int>(button, redraw, [&](XPButton& b) { return b.SetImageMargin(margin); });
}

int WINAPI TB_XPBUTTON_SETTEXTMARGIN(HWND button, int margin, BOOL redraw) {
  return WithButton<int>(button, redraw, [&](XPButton& b) { return b.SetTextMargin(margin); });
}

HFONT WINAPI TB_XPBUTTON_SETFONT(HWND button, HFONT font, BOOL redraw, BOOL keep) {
  return WithButton<HFONT>(button, redraw, [&](XPButton& b) { return b.SetFont(font, keep != 0); });
}

int WINAPI TB_XPBUTTON_SETTOGGLESTATE(HWND button, int state, BOOL redraw) {
  return WithButton<int>(button, redraw, [&](XPButton& b) { return b.SetToggleState(state); });
}

int WINAPI TB_XPBUTTON_SETTOGGLEMODE(HWND button, int flag, BOOL redraw) {
  return WithButton<int>(button, redraw, [&](XPButton& b) { return b.SetToggleMode(flag); });
}
