#pragma once
// What the main window shows of its settings: the parts of the layout, the
// number system and the choices of the View and File menus. The check marks,
// the option buttons and the layout are drawn from it; a toggle changes it
// and names what Tallix.ini keeps of the change.
#include <array>
#include <string_view>

#include "app/main_window/layout.h"

namespace tallix {

struct ViewState {
  LayoutFlags layout;
  int numberSystem = 0;    // the option buttons: decimal, hexadecimal, binary, octal
  int decimalSetting = 2;  // 0 to 4 places, or 10 for floating
  bool digitGrouping = false;
  bool autoDecimal = false;
  bool keepTape = false;
};

// The menu items whose check mark the user toggles.
enum class ViewToggle : unsigned char { ShowTape, ShowStatusBar, ShowStopWatch, KeepTape };

// A key of "Main Settings" and the text it is given.
struct SettingChange {
  std::string_view key;
  std::string_view value;
};

// Turns the item's flag over: a part of the layout that was shown (1) is
// hidden, any other value shows it.
SettingChange Toggle(ViewState& view, ViewToggle toggle);

struct MenuCheck {
  int menuId;
  bool checked;
};
// Every item of the menus that can carry a check mark, and whether it does.
std::array<MenuCheck, 12> MenuChecks(const ViewState& view);

}  // namespace tallix
