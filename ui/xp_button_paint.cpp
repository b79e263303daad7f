// How the themed key is drawn: in the running visual style, in classic 3-D
// edges, or flat in high contrast; its image and its caption.
#include <vssym32.h>

#include "ui/caption_colors.h"
#include "ui/caption_fit.h"
#include "ui/contrast.h"
#include "ui/gdi_scope.h"
#include "ui/ux_theme.h"
#include "ui/xp_button_key.h"

namespace tallix::ui::xp {
namespace {

// One theme handle serves every button: they all draw the "Button" class, and
// opening theme data costs far more than drawing with it. It is dropped when
// the theme changes, so the next paint opens the new theme, or finds none and
// draws the classic look.
HTHEME sharedButtonTheme = nullptr;

HTHEME ButtonTheme() {
  if (!sharedButtonTheme) sharedButtonTheme = UxThemeLibrary::Get().OpenThemeData(nullptr, L"Button");
  return sharedButtonTheme;
}

}  // namespace

void ForgetButtonTheme() {
  if (sharedButtonTheme) UxThemeLibrary::Get().CloseThemeData(sharedButtonTheme);
  sharedButtonTheme = nullptr;
}

HTHEME XPButton::ThemeToDraw(bool highContrast) const { return themed_ && !highContrast ? ButtonTheme() : nullptr; }

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

}  // namespace tallix::ui::xp
