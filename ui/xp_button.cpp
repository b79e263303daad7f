#include "ui/xp_button.h"

#include <vssym32.h>
#include <windowsx.h>

#include <new>
#include <string>

#include "ui/accessible_button.h"
#include "ui/accessible_object.h"
#include "ui/caption_colors.h"
#include "ui/caption_fit.h"
#include "ui/contrast.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"
#include "ui/ux_theme.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

enum DrawState {
  kNormal = PBS_NORMAL,
  kHot = PBS_HOT,
  kPressed = PBS_PRESSED,
  kDisabled = PBS_DISABLED,
  kDefaulted = PBS_DEFAULTED
};

enum ImageSlot { kSlotNormal = 0, kSlotHot = 1, kSlotDisabled = 2 };

struct ImageEntry {
  HANDLE handle = nullptr;
  int type = 0;  // each slot remembers its own type so it is drawn and freed correctly
  bool owned = false;
};

// One theme handle serves every button: they all draw the "Button" class, and
// opening theme data costs far more than drawing with it. It is dropped when
// the theme changes, so the next paint opens the new theme, or finds none and
// draws the classic look.
HTHEME sharedButtonTheme = nullptr;

HTHEME ButtonTheme() {
  if (!sharedButtonTheme) sharedButtonTheme = UxThemeLibrary::Get().OpenThemeData(nullptr, L"Button");
  return sharedButtonTheme;
}

void ForgetButtonTheme() {
  if (sharedButtonTheme) UxThemeLibrary::Get().CloseThemeData(sharedButtonTheme);
  sharedButtonTheme = nullptr;
}

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
  RECT CaptionRectNow();
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

  bool IsHot() const { return GetPropW(window_, kHotProperty) != nullptr; }
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

  void Draw(HDC dc);
  DrawState ComputeDrawState() const;
  HTHEME ThemeToDraw(bool highContrast) const { return themed_ && !highContrast ? ButtonTheme() : nullptr; }
  // What the theme draws in: a pixel past the client area on every side.
  RECT ThemeBounds() const;
  RECT ContentArea(HDC dc, HTHEME theme, DrawState drawState, bool highContrast) const;
  RECT CaptionRect(HDC dc, const std::wstring& caption, const RECT& area) const;
  void DrawClassicFrame(HDC dc, RECT area, DrawState drawState) const;
  void DrawHighContrastFrame(HDC dc, const RECT& area, DrawState drawState) const;
  // In high contrast: down or under the pointer, and enabled (a disabled key
  // shows grey text on the face, however it stands).
  bool Highlighted(DrawState drawState) const {
    return (drawState == kPressed || drawState == kHot) && IsWindowEnabled(window_);
  }
  bool HasImage() const { return images_[kSlotNormal].handle && imagePosition_ != 0; }
  bool DrawImage(HDC dc, const RECT& area, DrawState drawState) const;
  void DrawCaption(HDC dc, const std::wstring& caption, RECT textArea, DrawState drawState, bool highContrast) const;

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
  // The DPI of the paint under way: margins, offsets and the image size are
  // design pixels.
  int drawDpi_ = kDesignDpi;
  int Px(int value) const { return ScaleToDpi(value, drawDpi_); }
  int toggleMode_ = 0;
  int toggled_ = 0;
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
      ForgetButtonTheme();
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
        if (LRESULT object = AnswerKeyObject(window_, wParam)) return object;
      break;
    case BM_CLICK: return OnClickRequest();
    case WM_DESTROY: RemovePropW(window_, kHotProperty); break;
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
  SetPropW(window_, kHotProperty, reinterpret_cast<HANDLE>(1));
  Redraw();
  return 0;
}

LRESULT XPButton::OnMouseLeave() {
  RemovePropW(window_, kHotProperty);
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
  for (int i = 0; i < 3; ++i) info.images[i] = images_[i].handle;
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

DrawState XPButton::ComputeDrawState() const {
  DrawState drawState = kNormal;
  if (state_ == kXPButtonHeld) drawState = kPressed;
  if (!IsWindowEnabled(window_)) drawState = kDisabled;
  if (drawState == kNormal) {
    if (GetFocus() == window_) drawState = kDefaulted;
    if (IsHot()) drawState = kHot;
  }
  if (toggleMode_ && toggled_) drawState = kPressed;
  return drawState;
}

RECT XPButton::ThemeBounds() const {
  RECT bounds;
  GetClientRect(window_, &bounds);
  InflateRect(&bounds, Px(1), Px(1));
  return bounds;
}

// The face within the frame: the theme's content area, or inside the classic
// focus frame or the high-contrast frame.
RECT XPButton::ContentArea(HDC dc, HTHEME theme, DrawState drawState, bool highContrast) const {
  RECT area;
  GetClientRect(window_, &area);
  if (theme) {
    const RECT bounds = ThemeBounds();
    UxThemeLibrary::Get().GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, drawState, &bounds, &area);
  } else if (highContrast || GetFocus() == window_) {
    InflateRect(&area, -Px(1), -Px(1));
  }
  return area;
}

// Where the caption goes, and what it is clipped to: the face within the
// frame, less the text margin and an image beside an aligned caption.
RECT XPButton::CaptionRect(HDC dc, const std::wstring& caption, const RECT& area) const {
  RECT rect = area;
  const bool textIgnoresImage = (imagePosition_ & kImageCenter) && (imagePosition_ & kImageTextIgnoresImage);
  const int besideImage = Px(imageMargin_) + Px(imageWidth_);
  if (textFormat_ & DT_RIGHT) {
    if (HasImage() && (imagePosition_ & kImageRight) && !textIgnoresImage) rect.right = area.right - besideImage;
    rect.right -= Px(textMargin_);
  } else if (!(textFormat_ & DT_CENTER)) {
    if (HasImage() && (imagePosition_ & kImageLeft) && !textIgnoresImage) rect.left = area.left + besideImage;
    rect.left += Px(textMargin_);
  } else {
    RECT needed{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &needed, DT_SINGLELINE | DT_CALCRECT);
    RECT client;
    GetClientRect(window_, &client);
    WidenForCaption(rect.left, rect.right, client.left, client.right, needed.right);
    if (textFormat_ & DT_VCENTER) WidenForCaption(rect.top, rect.bottom, client.top, client.bottom, needed.bottom);
  }
  return rect;
}

RECT XPButton::CaptionRectNow() {
  drawDpi_ = DpiOf(window_);
  WindowDC dc(window_);
  const bool highContrast = HighContrastOn();
  const RECT area = ContentArea(dc, ThemeToDraw(highContrast), ComputeDrawState(), highContrast);
  ScopedSelect font(dc, font_);
  return CaptionRect(dc, WindowText(window_), area);
}

void XPButton::DrawClassicFrame(HDC dc, RECT area, DrawState drawState) const {
  const bool focused = GetFocus() == window_;
  const bool flat = (GetWindowLongW(window_, GWL_STYLE) & BS_FLAT) != 0;
  if (focused) {
    if (!(toggleMode_ && drawState == kPressed)) FrameRect(dc, &area, GetSysColorBrush(COLOR_WINDOWTEXT));
    InflateRect(&area, -Px(1), -Px(1));
  }
  if (toggleMode_) {
    if (drawState == kPressed)
      DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_MIDDLE);
    else
      DrawEdge(dc, &area, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | (flat ? BF_FLAT : 0));
    return;
  }
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  if (drawState == kPressed) {
    FrameRect(dc, &area, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawFrameControl(dc, &area, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (drawState == kHot ? DFCS_HOT : 0) | (flat ? DFCS_FLAT : 0));
  }
}

// The user's colours, flat: the face framed in the text colour, so that each
// key stands out from the window; a pressed, toggled or hot key takes the
// highlight colour.
void XPButton::DrawHighContrastFrame(HDC dc, const RECT& area, DrawState drawState) const {
  FillRect(dc, &area, GetSysColorBrush(Highlighted(drawState) ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  FrameRect(dc, &area, GetSysColorBrush(IsWindowEnabled(window_) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
}

bool XPButton::DrawImage(HDC dc, const RECT& area, DrawState drawState) const {
  if (!HasImage()) return false;
  const ImageEntry* image = &images_[kSlotNormal];
  if (drawState == kHot && images_[kSlotHot].handle) image = &images_[kSlotHot];
  if (drawState == kDisabled && images_[kSlotDisabled].handle) image = &images_[kSlotDisabled];

  RECT client;
  GetClientRect(window_, &client);
  const int imageWidth = Px(imageWidth_), imageHeight = Px(imageHeight_), imageMargin = Px(imageMargin_);
  int y = area.top;
  if (imagePosition_ & kImageVCenter)
    y = area.top + (area.bottom - area.top - imageHeight) / 2;
  else if (imagePosition_ & kImageBottom)
    y = area.bottom - imageHeight;
  int x = area.left + imageMargin;
  if (imagePosition_ & kImageRight)
    x = area.right - imageMargin - imageWidth;
  else if (imagePosition_ & kImageLeft)
    x = area.left + imageMargin;
  else if (imagePosition_ & kImageCenter)
    x = (client.right - client.left) / 2 - imageWidth / 2;
  if (drawState == kPressed) {
    x += Px(1);
    y += Px(1);
  }

  if (image->type == 1) {
    DrawIconEx(dc, x, y, static_cast<HICON>(image->handle), imageWidth, imageHeight, 0, nullptr, DI_NORMAL);
  } else {
    BITMAP bm{};
    GetObjectW(image->handle, sizeof(bm), &bm);
    MemoryDC memory(dc);
    ScopedSelect bitmap(memory, image->handle);
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
  }
  return true;
}

void XPButton::DrawCaption(HDC dc, const std::wstring& caption, RECT textArea, DrawState drawState,
                           bool highContrast) const {
  SetBkMode(dc, TRANSPARENT);
  if (highContrast) {
    SetTextColor(dc, GetSysColor(!IsWindowEnabled(window_) ? COLOR_GRAYTEXT
                                 : Highlighted(drawState)  ? COLOR_HIGHLIGHTTEXT
                                                           : COLOR_BTNTEXT));
  } else if (!IsWindowEnabled(window_)) {
    RECT embossed = textArea;
    OffsetRect(&embossed, Px(1), Px(1));
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, caption.c_str(), -1, &embossed, textFormat_);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  } else {
    SetTextColor(dc, CaptionColor(caption));
  }
  DrawTextW(dc, caption.c_str(), -1, &textArea, textFormat_);
}

void XPButton::Draw(HDC dc) {
  const std::wstring caption = WindowText(window_);
  drawDpi_ = DpiOf(window_);
  // When the theme went away after creation the classic look is still better
  // than an empty rectangle. High contrast draws no theme: its colours are
  // the user's, not the style's.
  const bool highContrast = HighContrastOn();
  HTHEME theme = ThemeToDraw(highContrast);

  const DrawState drawState = ComputeDrawState();
  RECT client;
  GetClientRect(window_, &client);
  if (theme) {
    const RECT bounds = ThemeBounds();
    UxThemeLibrary::Get().DrawThemeBackground(theme, dc, BP_PUSHBUTTON, drawState, &bounds, nullptr);
  } else if (highContrast) {
    DrawHighContrastFrame(dc, client, drawState);
  } else {
    DrawClassicFrame(dc, client, drawState);
  }
  const RECT area = ContentArea(dc, theme, drawState, highContrast);

  ScopedSelect font(dc, font_);
  bool imageDrawn = DrawImage(dc, area, drawState);
  const bool imageReplacesCaption = imageDrawn && (imagePosition_ & kImageCenter) && (imagePosition_ & kImageVCenter);
  if (!imageReplacesCaption) DrawCaption(dc, caption, CaptionRect(dc, caption, area), drawState, highContrast);

  if (GetFocus() == window_) {
    RECT focus = theme ? ThemeBounds() : client;
    int inset = Px(theme ? 3 : 4);
    InflateRect(&focus, -inset, -inset);
    DrawFocusRect(dc, &focus);
  }
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
