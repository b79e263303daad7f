#pragma once
// What a themed key (ui/xp_button.h) looks like: its settings and state, and
// how they are drawn, in the running visual style, in classic 3-D edges, or
// flat in high contrast.
#include <windows.h>

namespace tallix::ui {

inline constexpr int kXPButtonHeld = 4;

enum XPImagePosition : int {
  kImageLeft = 1,
  kImageRight = 2,
  kImageCenter = 4,
  kImageVCenter = 8,
  kImageTextIgnoresImage = 16,
  kImageBottom = 32,
};

// A read-only snapshot of a button's settings and state.
struct XPButtonInfo {
  int state = 0;        // kXPButtonHeld while held down by mouse or key
  UINT textFormat = 0;  // DrawText flags of the caption
  HFONT font = nullptr;
  bool fontOwned = false;
  HANDLE images[3] = {};   // normal, hot, disabled
  int imageType = 0;       // type given with the last image: 0 bitmap, 1 icon
  int imageTypes[3] = {};  // each image's own type
  int imageWidth = 0, imageHeight = 0;
  int imagePosition = 0;
  int imageMargin = 0, textMargin = 0;
  bool toggleMode = false;
  int toggled = 0;      // non-zero while a toggle button is down
  bool themed = false;  // fixed at creation
  bool hot = false;
};

// Drawn glyphs can reach a pixel past the width the font reports for them.
inline constexpr int kGlyphOverreach = 1;
// Pixels of face a key's centred caption keeps clear at each edge of the key,
// where the key is large enough for that.
inline constexpr int kCaptionEdge = 1;

// The room a key gives its centred caption, `needed` pixels wide (or high), in
// one direction: its content area low..high, or where the caption does not fit
// there, the face faceLow..faceHigh (a theme's content area can be narrower
// than a short caption on a small key, "Feed" and "+Tax" on 28 pixels, or
// lower than its font, the descender of "Lap" on 18), less kCaptionEdge at
// each end where the caption fits within that. As the content area lies in
// the middle of the face, the caption stays where it was.
void WidenForCaption(LONG& low, LONG& high, LONG faceLow, LONG faceHigh, LONG needed);

// Draws `key`, the settings and state of the key `window`, at dpi.
void DrawKey(HWND window, HDC dc, const XPButtonInfo& key, int dpi);
// The rectangle the key's caption is laid out in and clipped to, drawn at dpi.
RECT KeyCaptionRect(HWND window, const XPButtonInfo& key, int dpi);
// The next key drawn opens the theme anew: it changed.
void ForgetKeyTheme();

}  // namespace tallix::ui
