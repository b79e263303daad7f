#pragma once
// Inside the themed key (ui/xp_button.h): its object, shared by what it does
// (xp_button.cpp) and how it is drawn (xp_button_paint.cpp).
#include <windows.h>
// After windows.h, which they need.
#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

#include <new>
#include <string>

#include "ui/scaling.h"
#include "ui/ux_theme.h"
#include "ui/window_kit.h"
#include "ui/xp_button.h"

namespace tallix::ui::xp {

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

// One theme handle serves every button (xp_button_paint.cpp); dropped when
// the theme changes.
void ForgetButtonTheme();

inline void DeleteImage(const ImageEntry& image) {
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

  void Draw(HDC dc);
  DrawState ComputeDrawState() const;
  HTHEME ThemeToDraw(bool highContrast) const;
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
  bool hot_ = false;  // the mouse pointer is over it
  bool themed_;
};

}  // namespace tallix::ui::xp
