#include "tests/dpi/window_recorder.h"

#include <cstdio>
#include <utility>

#include "tests/dpi/control_measures.h"
#include "tests/ui/ui_test_support.h"
#include "ui/control_helpers.h"
#include "ui/scaling.h"

namespace tallix::dpi_probe {
namespace {

using ui::test::ClassOf;
using ui::test::Photograph;
using ui::test::Pump;

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 && c > ' ' ? static_cast<char>(c) : '_';
  return out.empty() ? "_" : out;
}

}  // namespace

Recorder::Recorder(std::ostream& out, std::string shots, int switchTo)
    : out_(out), shots_(std::move(shots)), switchTo_(switchTo) {}

void Recorder::Record(const std::string& name, HWND form) {
  if (!form) {
    std::fprintf(stderr, "no window for %s\n", name.c_str());
    failed = true;
    return;
  }
  if (switchTo_ > 0 && ui::DpiOf(form) != switchTo_) SwitchDpi(form);
  Pump();
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const int dpi = ui::DpiOf(form);
  const SIZE fitted = CheckOnScreen(name, form);
  RECT client{};
  GetClientRect(form, &client);
  out_ << "window " << name << ' ' << client.right << ' ' << client.bottom << ' ' << fitted.cx << ' ' << fitted.cy
       << '\n';
  CheckReachable(name, form, fitted.cx || fitted.cy);
  int index = 0;
  for (HWND control = GetWindow(form, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT), ++index) {
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
    const CaptionFit fit = IsWindowVisible(control) ? FitOf(control, dpi) : CaptionFit{};
    out_ << "control " << name << ' ' << index << ' ' << GetDlgCtrlID(control) << ' ' << Narrow(ClassOf(control)) << ' '
         << place.left << ' ' << place.top << ' ' << place.right - place.left << ' ' << place.bottom - place.top << ' '
         << FontHeight(control, FontOf(control)) << ' ' << fit.slack << ' ' << fit.edge << ' '
         << Narrow(ui::GetText(control)) << '\n';
  }
  if (!shots_.empty()) Photograph(form, shots_ + "\\" + name + ".bmp");
}

SIZE Recorder::CheckOnScreen(const std::string& name, HWND form) {
  RECT outer{};
  GetWindowRect(form, &outer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const SIZE fitted{outer.right - outer.left == work.right - work.left,
                    outer.bottom - outer.top == work.bottom - work.top};
  RECT inside{};
  IntersectRect(&inside, &outer, &work);
  if (EqualRect(&inside, &outer)) return fitted;
  std::fprintf(stderr, "%s lies outside the work area: window %ld,%ld-%ld,%ld, work area %ld,%ld-%ld,%ld\n",
               name.c_str(), outer.left, outer.top, outer.right, outer.bottom, monitor.rcWork.left, monitor.rcWork.top,
               monitor.rcWork.right, monitor.rcWork.bottom);
  failed = true;
  return fitted;
}

void Recorder::CheckReachable(const std::string& name, HWND form, bool shrunk) {
  RECT client{};
  GetClientRect(form, &client);
  for (HWND control = GetWindow(form, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    const bool button = lstrcmpiW(ClassOf(control).c_str(), L"Button") == 0 &&
                        (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
    if (!IsWindowVisible(control) || !(shrunk || button)) continue;
    RECT place{}, inside{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
    if (IsRectEmpty(&place)) continue;
    IntersectRect(&inside, &place, &client);
    if (EqualRect(&inside, &place)) continue;
    std::fprintf(stderr, "%s: control %d (%s) at %ld,%ld-%ld,%ld is cut off by the client area of %ldx%ld\n",
                 name.c_str(), GetDlgCtrlID(control), Narrow(ui::GetText(control)).c_str(), place.left, place.top,
                 place.right, place.bottom, client.right, client.bottom);
    failed = true;
  }
}

void Recorder::SwitchDpi(HWND form) {
  RECT outer{};
  GetWindowRect(form, &outer);
  const int from = ui::DpiOf(form);
  RECT suggested{outer.left, outer.top, outer.left + MulDiv(outer.right - outer.left, switchTo_, from),
                 outer.top + MulDiv(outer.bottom - outer.top, switchTo_, from)};
  SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(switchTo_, switchTo_), reinterpret_cast<LPARAM>(&suggested));
}

}  // namespace tallix::dpi_probe
