#include "ui/form_give.h"

#include <algorithm>

#include "ui/form.h"

namespace tallix::ui {
namespace {

// The design place of the control that gives, nullptr when the form names none.
const Place* GiverOf(HWND form, const FlyRecord& record) {
  if (!record.isForm || !record.definition || !record.definition->givingControl) return nullptr;
  const FlyRecord* giver = GetFlyRecord(GetDlgItem(form, record.definition->givingControl));
  return giver && giver->hasDesignPlace ? &giver->designPlace : nullptr;
}

// What one direction of the client area lacks, as far as the giving control
// can give it: it keeps room for a few lines of its own.
int Shortfall(int designClient, int client, int designGiver, int dpi) {
  const int most = ScaleToDpi(designGiver, dpi) - ScaleToDpi(std::min(designGiver, 40), dpi);
  return std::clamp(ScaleToDpi(designClient, dpi) - client, 0, std::max(most, 0));
}

// How a control placed at design follows the giving control's loss of size.
struct Follows {
  bool gives = false, below = false, right = false;
};

Follows FollowsOf(HWND control, const Place& design, const Place& giver, int givingId) {
  if (GetDlgCtrlID(control) == givingId) return {true, false, false};
  return {false, design.y >= giver.y + giver.height, design.x >= giver.x + giver.width};
}

}  // namespace

Place PixelPlace(HWND control, const Place& design, int dpi) {
  Place place{ScaleToDpi(design.x, dpi), ScaleToDpi(design.y, dpi), ScaleToDpi(design.width, dpi),
              ScaleToDpi(design.height, dpi)};
  HWND form = GetParent(control);
  const FlyRecord* record = GetFlyRecord(form);
  if (!record || (!record->given.cx && !record->given.cy)) return place;
  const Place* giver = GiverOf(form, *record);
  if (!giver) return place;
  const Follows follows = FollowsOf(control, design, *giver, record->definition->givingControl);
  if (follows.gives) place.width -= record->given.cx, place.height -= record->given.cy;
  if (follows.below) place.y -= record->given.cy;
  if (follows.right) place.x -= record->given.cx;
  return place;
}

void LetControlGive(HWND form) {
  FlyRecord* record = GetFlyRecord(form);
  if (!record || IsIconic(form)) return;
  const Place* giver = GiverOf(form, *record);
  if (!giver) return;
  RECT client{};
  GetClientRect(form, &client);
  const SIZE given{Shortfall(record->designClient.cx, client.right, giver->width, record->dpi),
                   Shortfall(record->designClient.cy, client.bottom, giver->height, record->dpi)};
  // By the change alone: a control made larger for its caption keeps that.
  const int dx = given.cx - record->given.cx, dy = given.cy - record->given.cy;
  if (!dx && !dy) return;
  record->given = given;
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const FlyRecord* placed = GetFlyRecord(child);
    if (!placed || !placed->hasDesignPlace) continue;
    const Follows follows = FollowsOf(child, placed->designPlace, *giver, record->definition->givingControl);
    if (!follows.gives && !follows.below && !follows.right) continue;
    RECT now{};
    GetWindowRect(child, &now);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&now), 2);
    if (follows.gives) now.right -= dx, now.bottom -= dy;
    if (follows.below) OffsetRect(&now, 0, -dy);
    if (follows.right) OffsetRect(&now, -dx, 0);
    // Only the giving control is sized: a drop-down list's size would
    // become the closed field's.
    SetWindowPos(child, nullptr, now.left, now.top, now.right - now.left, now.bottom - now.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (follows.gives ? 0 : SWP_NOSIZE));
  }
}

}  // namespace tallix::ui
