// How a key is drawn: each paint works out the look of the key's state
// (pressed, hot, disabled, focused) and draws frame, image and caption.
#include "ui/key_look.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <string>

#include "ui/caption_colors.h"
#include "ui/contrast.h"
#include "ui/dark_theme.h"
#include "ui/gdi_scope.h"
#include "ui/scaling.h"
#include "ui/ux_theme.h"
#include "ui/window_kit.h"

namespace tallix::ui {
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

enum DrawState {
  kNormal = PBS_NORMAL,
  kHot = PBS_HOT,
  kPressed = PBS_PRESSED,
  kDisabled = PBS_DISABLED,
  kDefaulted = PBS_DEFAULTED
};

enum ImageSlot { kSlotNormal = 0, kSlotHot = 1, kSlotDisabled = 2 };

// One paint of a key. Margins, offsets and the image size are design pixels.
class KeyPainter {
 public:
  KeyPainter(HWND window, const XPButtonInfo& key, int dpi) : window_(window), key_(key), drawDpi_(dpi) {}
  void Draw(HDC dc);
  RECT CaptionRectNow();

 private:
  DrawState ComputeDrawState() const;
  // Flat keys, in high contrast or dark, draw no theme: their colours are
  // the user's or the dark palette's, not the style's.
  HTHEME ThemeToDraw(bool flat) const { return key_.themed && !flat ? ButtonTheme() : nullptr; }
  // What the theme draws in: a pixel past the client area on every side.
  RECT ThemeBounds() const;
  RECT ContentArea(HDC dc, HTHEME theme, DrawState drawState, bool flat) const;
  RECT CaptionRect(HDC dc, const std::wstring& caption, const RECT& area) const;
  void DrawClassicFrame(HDC dc, RECT area, DrawState drawState) const;
  void DrawHighContrastFrame(HDC dc, const RECT& area, DrawState drawState) const;
  void DrawDarkFrame(HDC dc, const RECT& area, DrawState drawState) const;
  // In high contrast: down or under the pointer, and enabled (a disabled key
  // shows grey text on the face, however it stands).
  bool Highlighted(DrawState drawState) const {
    return (drawState == kPressed || drawState == kHot) && IsWindowEnabled(window_);
  }
  bool HasImage() const { return key_.images[kSlotNormal] && key_.imagePosition != 0; }
  bool DrawImage(HDC dc, const RECT& area, DrawState drawState) const;
  void DrawCaption(HDC dc, const std::wstring& caption, RECT textArea, DrawState drawState, bool highContrast,
                   bool dark) const;

  int Px(int value) const { return ScaleToDpi(value, drawDpi_); }

  HWND window_;
  const XPButtonInfo& key_;
  int drawDpi_;
};

DrawState KeyPainter::ComputeDrawState() const {
  DrawState drawState = kNormal;
  if (key_.state == kXPButtonHeld) drawState = kPressed;
  if (!IsWindowEnabled(window_)) drawState = kDisabled;
  if (drawState == kNormal) {
    if (GetFocus() == window_) drawState = kDefaulted;
    if (key_.hot) drawState = kHot;
  }
  if (key_.toggleMode && key_.toggled) drawState = kPressed;
  return drawState;
}

RECT KeyPainter::ThemeBounds() const {
  RECT bounds;
  GetClientRect(window_, &bounds);
  InflateRect(&bounds, Px(1), Px(1));
  return bounds;
}

// The face within the frame: the theme's content area, or inside the classic
// focus frame or the flat frame of high contrast and dark.
RECT KeyPainter::ContentArea(HDC dc, HTHEME theme, DrawState drawState, bool flat) const {
  RECT area;
  GetClientRect(window_, &area);
  if (theme) {
    const RECT bounds = ThemeBounds();
    UxThemeLibrary::Get().GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, drawState, &bounds, &area);
  } else if (flat || GetFocus() == window_) {
    InflateRect(&area, -Px(1), -Px(1));
  }
  return area;
}

// Where the caption goes, and what it is clipped to: the face within the
// frame, less the text margin and an image beside an aligned caption.
RECT KeyPainter::CaptionRect(HDC dc, const std::wstring& caption, const RECT& area) const {
  RECT rect = area;
  const bool textIgnoresImage = (key_.imagePosition & kImageCenter) && (key_.imagePosition & kImageTextIgnoresImage);
  const int besideImage = Px(key_.imageMargin) + Px(key_.imageWidth);
  if (key_.textFormat & DT_RIGHT) {
    if (HasImage() && (key_.imagePosition & kImageRight) && !textIgnoresImage) rect.right = area.right - besideImage;
    rect.right -= Px(key_.textMargin);
  } else if (!(key_.textFormat & DT_CENTER)) {
    if (HasImage() && (key_.imagePosition & kImageLeft) && !textIgnoresImage) rect.left = area.left + besideImage;
    rect.left += Px(key_.textMargin);
  } else {
    RECT needed{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &needed, DT_SINGLELINE | DT_CALCRECT);
    RECT client;
    GetClientRect(window_, &client);
    WidenForCaption(rect.left, rect.right, client.left, client.right, needed.right);
    if (key_.textFormat & DT_VCENTER) WidenForCaption(rect.top, rect.bottom, client.top, client.bottom, needed.bottom);
  }
  return rect;
}

RECT KeyPainter::CaptionRectNow() {
  WindowDC dc(window_);
  const bool flat = HighContrastOn() || DarkOn();
  const RECT area = ContentArea(dc, ThemeToDraw(flat), ComputeDrawState(), flat);
  ScopedSelect font(dc, key_.font);
  return CaptionRect(dc, WindowText(window_), area);
}

void KeyPainter::DrawClassicFrame(HDC dc, RECT area, DrawState drawState) const {
  const bool focused = GetFocus() == window_;
  const bool flat = (GetWindowLongW(window_, GWL_STYLE) & BS_FLAT) != 0;
  if (focused) {
    if (!(key_.toggleMode && drawState == kPressed)) FrameRect(dc, &area, GetSysColorBrush(COLOR_WINDOWTEXT));
    InflateRect(&area, -Px(1), -Px(1));
  }
  if (key_.toggleMode) {
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
void KeyPainter::DrawHighContrastFrame(HDC dc, const RECT& area, DrawState drawState) const {
  FillRect(dc, &area, GetSysColorBrush(Highlighted(drawState) ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
  FrameRect(dc, &area, GetSysColorBrush(IsWindowEnabled(window_) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
}

// A dark face a shade lighter under the pointer and darker when down, framed
// so that each key stands out from the window; the focused key's frame in
// the text colour.
void KeyPainter::DrawDarkFrame(HDC dc, const RECT& area, DrawState drawState) const {
  const DarkPalette& palette = Dark();
  const COLORREF face = drawState == kPressed ? palette.keyPressed
                        : drawState == kHot   ? palette.keyHot
                                              : palette.keyFace;
  FillRect(dc, &area, PaletteBrush(face));
  FrameRect(dc, &area, PaletteBrush(GetFocus() == window_ ? palette.text : palette.frame));
}

bool KeyPainter::DrawImage(HDC dc, const RECT& area, DrawState drawState) const {
  if (!HasImage()) return false;
  int slot = kSlotNormal;
  if (drawState == kHot && key_.images[kSlotHot]) slot = kSlotHot;
  if (drawState == kDisabled && key_.images[kSlotDisabled]) slot = kSlotDisabled;
  const HANDLE image = key_.images[slot];

  RECT client;
  GetClientRect(window_, &client);
  const int imageWidth = Px(key_.imageWidth), imageHeight = Px(key_.imageHeight), imageMargin = Px(key_.imageMargin);
  int y = area.top;
  if (key_.imagePosition & kImageVCenter)
    y = area.top + (area.bottom - area.top - imageHeight) / 2;
  else if (key_.imagePosition & kImageBottom)
    y = area.bottom - imageHeight;
  int x = area.left + imageMargin;
  if (key_.imagePosition & kImageRight)
    x = area.right - imageMargin - imageWidth;
  else if (key_.imagePosition & kImageLeft)
    x = area.left + imageMargin;
  else if (key_.imagePosition & kImageCenter)
    x = (client.right - client.left) / 2 - imageWidth / 2;
  if (drawState == kPressed) {
    x += Px(1);
    y += Px(1);
  }

  if (key_.imageTypes[slot] == 1) {
    DrawIconEx(dc, x, y, static_cast<HICON>(image), imageWidth, imageHeight, 0, nullptr, DI_NORMAL);
  } else {
    BITMAP bm{};
    GetObjectW(image, sizeof(bm), &bm);
    MemoryDC memory(dc);
    ScopedSelect bitmap(memory, image);
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, memory, 0, 0, SRCCOPY);
  }
  return true;
}

void KeyPainter::DrawCaption(HDC dc, const std::wstring& caption, RECT textArea, DrawState drawState, bool highContrast,
                             bool dark) const {
  SetBkMode(dc, TRANSPARENT);
  if (dark) {
    SetTextColor(dc, IsWindowEnabled(window_) ? CaptionColor(caption) : Dark().grayText);
  } else if (highContrast) {
    SetTextColor(dc, GetSysColor(!IsWindowEnabled(window_) ? COLOR_GRAYTEXT
                                 : Highlighted(drawState)  ? COLOR_HIGHLIGHTTEXT
                                                           : COLOR_BTNTEXT));
  } else if (!IsWindowEnabled(window_)) {
    RECT embossed = textArea;
    OffsetRect(&embossed, Px(1), Px(1));
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, caption.c_str(), -1, &embossed, key_.textFormat);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  } else {
    SetTextColor(dc, CaptionColor(caption));
  }
  DrawTextW(dc, caption.c_str(), -1, &textArea, key_.textFormat);
}

void KeyPainter::Draw(HDC dc) {
  const std::wstring caption = WindowText(window_);
  // When the theme went away after creation the classic look is still better
  // than an empty rectangle. High contrast draws no theme: its colours are
  // the user's, not the style's.
  const bool highContrast = HighContrastOn();
  const bool dark = !highContrast && DarkOn();
  HTHEME theme = ThemeToDraw(highContrast || dark);

  const DrawState drawState = ComputeDrawState();
  RECT client;
  GetClientRect(window_, &client);
  if (theme) {
    // The style's rounded corners blend with what lies beneath. A key that
    // is not see-through has its own pixels there, which the last look left
    // (a dark face, after a switch back to light): the window's face goes
    // under them first, as when the key was first drawn.
    if (!(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TRANSPARENT))
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const RECT bounds = ThemeBounds();
    UxThemeLibrary::Get().DrawThemeBackground(theme, dc, BP_PUSHBUTTON, drawState, &bounds, nullptr);
  } else if (highContrast) {
    DrawHighContrastFrame(dc, client, drawState);
  } else if (dark) {
    DrawDarkFrame(dc, client, drawState);
  } else {
    DrawClassicFrame(dc, client, drawState);
  }
  const RECT area = ContentArea(dc, theme, drawState, highContrast || dark);

  ScopedSelect font(dc, key_.font);
  bool imageDrawn = DrawImage(dc, area, drawState);
  const bool imageReplacesCaption =
      imageDrawn && (key_.imagePosition & kImageCenter) && (key_.imagePosition & kImageVCenter);
  if (!imageReplacesCaption) DrawCaption(dc, caption, CaptionRect(dc, caption, area), drawState, highContrast, dark);

  if (GetFocus() == window_) {
    RECT focus = theme ? ThemeBounds() : client;
    int inset = Px(theme ? 3 : 4);
    InflateRect(&focus, -inset, -inset);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace

void WidenForCaption(LONG& low, LONG& high, LONG faceLow, LONG faceHigh, LONG needed) {
  if (needed + kGlyphOverreach <= high - low) return;
  const int edge = needed + kGlyphOverreach <= faceHigh - faceLow - 2 * kCaptionEdge ? kCaptionEdge : 0;
  low = faceLow + edge;
  high = faceHigh - edge;
}

void DrawKey(HWND window, HDC dc, const XPButtonInfo& key, int dpi) { KeyPainter(window, key, dpi).Draw(dc); }

RECT KeyCaptionRect(HWND window, const XPButtonInfo& key, int dpi) {
  return KeyPainter(window, key, dpi).CaptionRectNow();
}

void ForgetKeyTheme() {
  if (sharedButtonTheme) UxThemeLibrary::Get().CloseThemeData(sharedButtonTheme);
  sharedButtonTheme = nullptr;
}

}  // namespace tallix::ui
