#include "services/gdi_shapes.h"

namespace tallix {

void FillBox(HDC dc, const RECT& box, COLORREF colour) {
  if (box.right <= box.left || box.bottom <= box.top) return;
  // ExtTextOut's opaque box fills without a brush to make.
  const COLORREF previous = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

void DrawPolyline(HDC dc, const POINT* points, int count, COLORREF colour, int width) {
  if (count < 2) return;
  LOGBRUSH brush{BS_SOLID, colour, 0};
  HPEN pen = width <= 1 ? CreatePen(PS_SOLID, 1, colour)
                        : ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_ROUND, DWORD(width), &brush,
                                       0, nullptr);
  if (!pen) return;
  const HGDIOBJ previous = SelectObject(dc, pen);
  Polyline(dc, points, count);
  // A thin pen leaves out the last point.
  if (width <= 1) SetPixel(dc, points[count - 1].x, points[count - 1].y, colour);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

}  // namespace tallix
