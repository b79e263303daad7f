#include "ui/form_give.h"

#include <algorithm>

#include "ui/form_state.h"

namespace tallix::ui {
namespace {

// The design place of the control that gives, nullptr when the form names none.
const Place* GiverOf(HWND form, const FormState& state) {
  if (!state.givingControl) return nullptr;
  const ControlState* giver = ControlStateOf(GetDlgItem(form, state.givingControl));
  return giver && giver->designPlace ? &*giver->designPlace : nullptr;
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
  const FormState* state = FormStateOf(form);
  if (!state || (!state->given.cx && !state->given.cy)) return place;
  const Place* giver = GiverOf(form, *state);
  if (!giver) return place;
  const Follows follows = FollowsOf(control, design, *giver, state->givingControl);
  if (follows.gives) place.width -= state->given.cx, place.height -= state->given.cy;
  if (follows.below) place.y -= state->given.cy;
  if (follows.right) place.x -= state->given.cx;
  return place;
}

void LetControlGive(HWND form) {
  FormState* state = FormStateOf(form);
  if (!state || IsIconic(form)) return;
  const Place* giver = GiverOf(form, *state);
  if (!giver) return;
  RECT client{};
  GetClientRect(form, &client);
  const int dpi = DpiOf(form);
  const SIZE given{Shortfall(state->designClient.cx, client.right, giver->width, dpi),
                   Shortfall(state->designClient.cy, client.bottom, giver->height, dpi)};
  // By the change alone: a control made larger for its caption keeps that.
  const int dx = given.cx - state->given.cx, dy = given.cy - state->given.cy;
  if (!dx && !dy) return;
  state->given = given;
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const ControlState* placed = ControlStateOf(child);
    if (!placed || !placed->designPlace) continue;
    const Follows follows = FollowsOf(child, *placed->designPlace, *giver, state->givingControl);
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
