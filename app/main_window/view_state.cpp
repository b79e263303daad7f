#include "app/main_window/view_state.h"

#include "engine/settings_keys.h"
#include "resources/resource_ids.h"

namespace tallix {
namespace {

SettingChange Flip(long long& shown, std::string_view key) {
  shown = shown == 1 ? 0 : 1;
  return {key, shown == 1 ? "1" : "0"};
}

}  // namespace

SettingChange Toggle(ViewState& view, ViewToggle toggle) {
  switch (toggle) {
    case ViewToggle::ShowTape: return Flip(view.layout.showTape, main_keys::kShowTape);
    case ViewToggle::ShowStatusBar: return Flip(view.layout.showStatusBar, main_keys::kShowStatusBar);
    case ViewToggle::ShowStopWatch: return Flip(view.layout.showStopWatch, main_keys::kShowStopWatch);
    case ViewToggle::KeepTape: break;
  }
  view.keepTape = !view.keepTape;
  return {main_keys::kKeepTape, view.keepTape ? "1" : "0"};
}

std::array<MenuCheck, 12> MenuChecks(const ViewState& view) {
  const int places = view.decimalSetting;
  return {{{IDM_SHOW_TAPE, view.layout.showTape == 1},
           {IDM_SHOW_STATUSBAR, view.layout.showStatusBar == 1},
           {IDM_SHOW_STOPWATCH, view.layout.showStopWatch == 1},
           {IDM_KEEP_TAPE, view.keepTape},
           {IDM_DIGIT_GROUPING, view.digitGrouping},
           {IDM_AUTO_DECIMAL, view.autoDecimal},
           {IDM_FLOATING, places == 10},
           {IDM_DECIMAL_0, places == 0},
           {IDM_DECIMAL_1, places == 1},
           {IDM_DECIMAL_2, places == 2},
           {IDM_DECIMAL_3, places == 3},
           {IDM_DECIMAL_4, places == 4}}};
}

}  // namespace tallix
