// What the themed key does: pressed and released by mouse and keyboard, its
// settings, and its object behind the window.
#include "ui/xp_button.h"

#include <windowsx.h>

#include <new>

#include "ui/accessible_button.h"
#include "ui/accessible_object.h"
#include "ui/scaling.h"
#include "ui/ux_theme.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

struct ImageEntry {
  HANDLE handle = nullptr;
  int type = 0;  // each slot remembers its own type so it is drawn and freed correctly
  bool owned = false;
};

void DeleteImage(const ImageEntry& image) {
  if (!image.handle) return;
  if (image.type == 1)
    DestroyIcon(static_cast<HICON>(image.handle));
  else
    DeleteObject(image.handle);
}

class XPButton {
 public:
  static XPButton* FromWindow(HWND window) { return ExtraBytesSlot<XPButton>::Get(window); }
  static XPButton* Attach(HWND window, CREATESTRUCTW*) {
    auto* self = new (std::nothrow) XPButton(window);
    if (self) ExtraBytesSlot<XPButton>::Set(window, self);
    return self;
  }
  static void Detach(HWND window) {
    delete FromWindow(window);
    ExtraBytesSlot<XPButton>::Set(window, nullptr);
  }

  explicit XPButton(HWND window) : window_(window), themed_(ThemingActive()) {}
  ~XPButton() {
    for (const auto& image : images_)
      if (image.owned) DeleteImage(image);
    if (fontOwned_ && font_) DeleteObject(font_);
  }

  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Setters behind the exported functions.
  HANDLE SetImage(HANDLE image, int type, int slot, bool keep);
  HFONT SetFont(HFONT font, bool keep);
  int SetToggleState(int state) { return Exchange(toggled_, state ? -1 : 0); }
  int SetToggleMode(int flag) { return Exchange(toggleMode_, flag ? 1 : 0); }
  int SetImageWidth(int value) { return Exchange(imageWidth_, value); }
  int SetImageHeight(int value) { return Exchange(imageHeight_, value); }
  int SetImagePosition(int value) { return Exchange(imagePosition_, value); }
  int SetImageMargin(int value) { return Exchange(imageMargin_, value); }
  int SetTextMargin(int value) { return Exchange(textMargin_, value); }

  XPButtonInfo Info() const;
  RECT CaptionRectNow() const { return KeyCaptionRect(window_, Info(), DpiOf(window_)); }
  // A hidden button is painted when it is shown: nothing to do before.
  void Redraw() {
    if (IsWindowVisible(window_)) RepaintNow(window_);
  }

 private:
  static int Exchange(int& field, int value) {
    int previous = field;
    field = value;
    return previous;
  }

  bool IsHot() const { return hot_; }
  bool PointInside(LPARAM lParam) const {
    RECT rc;
    GetClientRect(window_, &rc);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&rc, pt) != FALSE;
  }
  void NotifyClick() {
    HWND parent = GetParent(window_);
    if (parent)
      SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), BN_CLICKED),
                   reinterpret_cast<LPARAM>(window_));
  }
  void Press() {
    toggled_ = toggled_ ? 0 : -1;
    state_ = kXPButtonHeld;
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
  LRESULT OnPaint();
  void Draw(HDC dc) const { DrawKey(window_, dc, Info(), DpiOf(window_)); }

  HWND window_;
  int state_ = 0;
  UINT textFormat_ = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  HCURSOR cursor_ = LoadCursorW(nullptr, IDC_ARROW);
  HFONT font_ = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
  bool fontOwned_ = false;
  ImageEntry images_[3];
  int imageType_ = 0;
  int imageWidth_ = 0;
  int imageHeight_ = 0;
  int imagePosition_ = kImageLeft | kImageVCenter;
  int imageMargin_ = 4;
  int textMargin_ = 4;
  int toggleMode_ = 0;
  int toggled_ = 0;
  bool hot_ = false;  // the mouse pointer is over it
  bool themed_;
};

LRESULT XPButton::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return OnPaint();
    case WM_PRINTCLIENT: Draw(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Redraw(); return 0;
    case WM_THEMECHANGED:
      ForgetKeyTheme();
      Redraw();
      return 0;
    case WM_SETFONT: return OnSetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
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
  bool wasHeld = state_ == kXPButtonHeld;
  if (GetCapture() == window_) ReleaseCapture();
  state_ = 0;
  Redraw();
  if (wasHeld && IsWindowEnabled(window_) && PointInside(lParam)) NotifyClick();
  return 0;
}

LRESULT XPButton::OnKeyDown(WPARAM key, LPARAM lParam) {
  if (key != VK_RETURN && key != VK_SPACE) return 0;
  // Auto-repeat while the key is held must not flip a toggle button back and forth.
  bool repeat = (lParam & (1L << 30)) != 0 && state_ == kXPButtonHeld;
  if (!repeat) Press();
  Redraw();
  return 0;
}

LRESULT XPButton::OnKeyUp(WPARAM key) {
  if (state_ != kXPButtonHeld || (key != VK_RETURN && key != VK_SPACE)) return 0;
  state_ = 0;
  Redraw();
  if (IsWindowEnabled(window_)) NotifyClick();
  return 0;
}

// BM_CLICK, as a screen reader's default action sends it: a press and release.
LRESULT XPButton::OnClickRequest() {
  if (!IsWindowEnabled(window_)) return 0;
  Press();
  state_ = 0;
  Redraw();
  NotifyClick();
  return 0;
}

LRESULT XPButton::OnMouseMove() {
  if (IsHot()) return 0;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
  TrackMouseEvent(&track);
  hot_ = true;
  Redraw();
  return 0;
}

LRESULT XPButton::OnMouseLeave() {
  hot_ = false;
  Redraw();
  return 0;
}

LRESULT XPButton::OnSetFont(HFONT font, bool redraw) {
  if (font && font != font_) {
    // A font handed over earlier is ours to delete; the new one stays the sender's.
    if (fontOwned_ && font_) DeleteObject(font_);
    font_ = font;
    fontOwned_ = false;
  }
  if (redraw) Redraw();
  return 0;
}

HANDLE XPButton::SetImage(HANDLE image, int type, int slot, bool keep) {
  ImageEntry& entry = images_[slot - 1];
  HANDLE previous = entry.handle;
  // Setting the image a slot already holds must not delete it.
  if (entry.owned && previous != image) DeleteImage(entry);
  entry = ImageEntry{image, type, !keep};
  imageType_ = type;
  imageWidth_ = 16;
  imageHeight_ = 16;
  return previous;
}

HFONT XPButton::SetFont(HFONT font, bool keep) {
  HFONT previous = font_;
  if (fontOwned_ && previous && previous != font) DeleteObject(previous);
  font_ = font;
  fontOwned_ = !keep;
  return previous;
}

XPButtonInfo XPButton::Info() const {
  XPButtonInfo info;
  info.state = state_;
  info.textFormat = textFormat_;
  info.font = font_;
  info.fontOwned = fontOwned_;
  for (int i = 0; i < 3; ++i) info.images[i] = images_[i].handle, info.imageTypes[i] = images_[i].type;
  info.imageType = imageType_;
  info.imageWidth = imageWidth_;
  info.imageHeight = imageHeight_;
  info.imagePosition = imagePosition_;
  info.imageMargin = imageMargin_;
  info.textMargin = textMargin_;
  info.toggleMode = toggleMode_ != 0;
  info.toggled = toggled_;
  info.themed = themed_;
  info.hot = IsHot();
  return info;
}

LRESULT XPButton::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  if (dc) Draw(dc);
  EndPaint(window_, &ps);
  return 0;
}

XPButton* ButtonOf(HWND window) { return HasClass(window, kXPButtonClass) ? XPButton::FromWindow(window) : nullptr; }

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
  tallix::ui::CreateArgs args;
  args.parent = parent;
  args.id = static_cast<int>(id);
  args.text = caption;
  args.x = x;
  args.y = y;
  args.width = width;
  args.height = height;
  args.style = style | WS_CHILD;
  args.exStyle = exStyle;
  return tallix::ui::CreateChild(tallix::ui::kXPButtonClass, args);
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
