#include "ui/form_give.h"

#include <algorithm>

#include "ui/form_state.h"

namespace tallix::ui {
namespace {

// The design place of a giving control, nullptr when there is none.
const Place* PlaceOf(HWND form, int id) {
  if (!id) return nullptr;
  const ControlState* giver = ControlStateOf(GetDlgItem(form, id));
  return giver && giver->designPlace ? &*giver->designPlace : nullptr;
}

// The control that gives height, and the one that gives width: the same
// unless the form names one for the width.
struct Givers {
  int downId = 0, acrossId = 0;
  const Place* down = nullptr;
  const Place* across = nullptr;
};

Givers GiversOf(HWND form, const FormState& state) {
  Givers givers;
  givers.downId = state.givingControl;
  givers.acrossId = state.givingAcross ? state.givingAcross : state.givingControl;
  givers.down = PlaceOf(form, givers.downId);
  givers.across = PlaceOf(form, givers.acrossId);
  return givers;
}

// What one direction of the client area lacks, as far as the giving control
// can give it: it keeps room for a few lines of its own.
int Shortfall(int designClient, int client, int designGiver, int dpi) {
  const int most = ScaleToDpi(designGiver, dpi) - ScaleToDpi(std::min(designGiver, 40), dpi);
  return std::clamp(ScaleToDpi(designClient, dpi) - client, 0, std::max(most, 0));
}

// How a control placed at design follows the giving controls' loss of size.
struct Follows {
  bool givesWidth = false, givesHeight = false, below = false, right = false;
  bool Any() const { return givesWidth || givesHeight || below || right; }
};

Follows FollowsOf(HWND control, const Place& design, const Givers& givers) {
  const int id = GetDlgCtrlID(control);
  Follows follows;
  follows.givesWidth = givers.across && id == givers.acrossId;
  follows.givesHeight = givers.down && id == givers.downId;
  follows.below = givers.down && !follows.givesHeight && design.y >= givers.down->y + givers.down->height;
  follows.right = givers.across && !follows.givesWidth && design.x >= givers.across->x + givers.across->width;
  return follows;
}

// Moves and sizes the controls concerned from what is given now to `given`.
void Give(HWND form, FormState& state, const Givers& givers, SIZE given) {
  const int dx = given.cx - state.given.cx, dy = given.cy - state.given.cy;
  if (!dx && !dy) return;
  state.given = given;
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const ControlState* placed = ControlStateOf(child);
    if (!placed || !placed->designPlace) continue;
    const Follows follows = FollowsOf(child, *placed->designPlace, givers);
    if (!follows.Any()) continue;
    RECT now{};
    GetWindowRect(child, &now);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&now), 2);
    if (follows.givesWidth) now.right -= dx;
    if (follows.givesHeight) now.bottom -= dy;
    if (follows.below) OffsetRect(&now, 0, -dy);
    if (follows.right) OffsetRect(&now, -dx, 0);
    // Only a giving control is sized: a drop-down list's size would become
    // the closed field's.
    const bool sized = follows.givesWidth || follows.givesHeight;
    SetWindowPos(child, nullptr, now.left, now.top, now.right - now.left, now.bottom - now.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (sized ? 0 : SWP_NOSIZE));
  }
}

}  // namespace

Place PixelPlace(HWND control, const Place& design, int dpi) {
  Place place{ScaleToDpi(design.x, dpi), ScaleToDpi(design.y, dpi), ScaleToDpi(design.width, dpi),
              ScaleToDpi(design.height, dpi)};
  HWND form = GetParent(control);
  const FormState* state = FormStateOf(form);
  if (!state || (!state->given.cx && !state->given.cy)) return place;
  const Follows follows = FollowsOf(control, design, GiversOf(form, *state));
  if (follows.givesWidth) place.width -= state->given.cx;
  if (follows.givesHeight) place.height -= state->given.cy;
  if (follows.below) place.y -= state->given.cy;
  if (follows.right) place.x -= state->given.cx;
  return place;
}

void LetControlGive(HWND form) {
  FormState* state = FormStateOf(form);
  if (!state || IsIconic(form)) return;
  const Givers givers = GiversOf(form, *state);
  if (!givers.down && !givers.across) return;
  RECT client{};
  GetClientRect(form, &client);
  const int dpi = DpiOf(form);
  // By the change alone: a control made larger for its caption keeps that.
  Give(form, *state, givers,
       {givers.across ? Shortfall(state->designClient.cx, client.right, givers.across->width, dpi) : 0,
        givers.down ? Shortfall(state->designClient.cy, client.bottom, givers.down->height, dpi) : 0});
}

void SetGivingControls(HWND form, int control, int acrossControl) {
  FormState* state = FormStateOf(form);
  if (!state) return;
  Give(form, *state, GiversOf(form, *state), {0, 0});
  state->givingControl = control;
  state->givingAcross = acrossControl;
  LetControlGive(form);
}

}  // namespace tallix::ui
