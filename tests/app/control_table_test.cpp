// The main window's control table on its own: identifiers, keys, captions and places.
#include "app/main_window/control_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/layout.h"
#include "engine/keyboard_shortcut.h"
#include "side_window/wide_text.h"
#include "ui/xp_button.h"

namespace tallix {
namespace {

bool IsKeyButton(const ui::ControlSpec& row) { return std::wstring(row.className) == ui::kXPButtonClass; }

TEST(ControlTable, IdentifiersAreUniqueAndKeysAreComplete) {
  std::set<int> seen;
  int keys = 0;
  std::set<Key> keyNames;
  for (const ui::ControlSpec& c : MainWindowControls()) {
    EXPECT_TRUE(seen.insert(c.id).second) << c.id;
    EXPECT_EQ(FindControl(c.id), &c);
    if (IsKeyButton(c)) {
      ++keys;
      ASSERT_TRUE(KeyOfControl(c.id).has_value()) << c.id;
      EXPECT_TRUE(keyNames.insert(*KeyOfControl(c.id)).second) << c.id;
    }
  }
  EXPECT_EQ(keys, 47);
  // Every keypad name of the engine has a button, the option buttons included.
  EXPECT_EQ(static_cast<int>(keyNames.size()) + 4, kKeyCount);
  for (int id = ids::kOptionDec; id <= ids::kOptionOct; ++id) EXPECT_TRUE(KeyOfControl(id).has_value()) << id;
  EXPECT_FALSE(KeyOfControl(ids::kDisplay).has_value());
  EXPECT_EQ(FindControl(1010), nullptr);
  EXPECT_EQ(FindControl(1016), nullptr);
}

TEST(ControlTable, DigitKeysCarryTheirValue) {
  for (int n = 1; n <= 9; ++n) {
    const ui::ControlSpec* c = FindControl(ids::kKey1 + n - 1);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::wstring(c->text), std::wstring(1, static_cast<wchar_t>(L'0' + n)));
    EXPECT_EQ(DigitValue(*KeyOfControl(c->id)), n);
  }
  for (int n = 10; n <= 15; ++n) {
    const ui::ControlSpec* c = FindControl(ids::kKeyA + n - 10);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::wstring(c->text), std::wstring(1, static_cast<wchar_t>(L'A' + n - 10)));
    EXPECT_EQ(DigitValue(*KeyOfControl(c->id)), n);
  }
  EXPECT_EQ(DigitValue(*KeyOfControl(ids::kKey0)), 0);
}

TEST(ControlTable, KeyCaptionsMatchTheEngineNames) {
  for (const ui::ControlSpec& c : MainWindowControls()) {
    if (!IsKeyButton(c) || c.id == ids::kKeyTransfer) continue;
    EXPECT_EQ(KeyFromCaption(Cp1252FromWide(c.text)), KeyOfControl(c.id)) << c.id;
  }
  EXPECT_EQ(Cp1252FromWide(FindControl(ids::kKeyTimes)->text), "\xD7");
  EXPECT_EQ(Cp1252FromWide(FindControl(ids::kKeyDivide)->text), "\xF7");
}

bool Overlap(const ui::ControlSpec& a, const ui::ControlSpec& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool Encloses(const ui::ControlSpec& frame, const ui::ControlSpec& inner) {
  return inner.x >= frame.x && inner.y >= frame.y && inner.x + inner.width <= frame.x + frame.width &&
         inner.y + inner.height <= frame.y + frame.height;
}

TEST(ControlTable, KeysFitTheDesignAreaWithoutOverlapping) {
  const auto controls = MainWindowControls();
  const auto onKeypad = [](const ui::ControlSpec& c) { return IsKeyButton(c) || c.id == ids::kTimeDisplay; };
  for (const ui::ControlSpec& a : controls) {
    if (!onKeypad(a)) continue;
    EXPECT_GE(a.x, 0);
    EXPECT_LE(a.x + a.width, 276) << a.id << " runs into the tape";
    EXPECT_LE(a.y + a.height, 270) << a.id << " runs into the status bar";
    for (const ui::ControlSpec& b : controls) {
      if (&a < &b && onKeypad(b)) {
        EXPECT_FALSE(Overlap(a, b)) << a.id << " and " << b.id;
      }
    }
  }
}

// Lower case, without blanks or the word "arrow": "Shift + ESC", "Up Arrow".
std::string Plain(std::string_view name) {
  std::string plain;
  for (char c : name) {
    if (c != ' ') plain += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (const auto arrow = plain.find("arrow"); arrow != std::string::npos) plain.erase(arrow, 5);
  return plain;
}

// A tooltip says what its key does, and a keystroke it names in brackets is
// one that presses the key ("Del" may be written out as "Delete").
TEST(ControlTable, TooltipsNameTheirKeysShortcuts) {
  std::set<int> tipped;
  for (const TooltipSpec& t : MainWindowTooltips()) {
    SCOPED_TRACE(t.id);
    const ui::ControlSpec* c = FindControl(t.id);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(IsKeyButton(*c));
    EXPECT_TRUE(tipped.insert(t.id).second) << "two tooltips";
    const std::string text = Cp1252FromWide(t.text);
    const auto open = text.rfind(" (");
    EXPECT_GT(open == std::string::npos ? text.size() : open, 2u) << text;
    EXPECT_LE(text.size(), 80u);
    if (open == std::string::npos) continue;
    ASSERT_EQ(text.back(), ')') << text;
    const std::string named = Plain(text.substr(open + 2, text.size() - open - 3));
    bool pressing = false;
    for (const Keystroke& stroke : KeystrokesPressing(*KeyOfControl(t.id))) {
      std::string name = Plain(stroke.name);
      if (stroke.shift) name = "shift+" + name;
      if (stroke.ctrl) name = "ctrl+" + name;
      pressing = pressing || named == name || (name.size() >= 3 && named.starts_with(name));
    }
    EXPECT_TRUE(pressing) << text;
  }
}

// With the controls where each layout puts them, what is shown lies inside
// the client area and nothing shown covers another. The status bar's panes
// and line run to the window's edge, and those the narrow window leaves out
// lie beyond it.
TEST(ControlTable, EveryLayoutKeepsShownControlsInsideAndApart) {
  for (int bits = 0; bits < 8; ++bits) {
    SCOPED_TRACE(bits);
    const LayoutPlan plan = PlanLayout({bits & 1, (bits >> 1) & 1, (bits >> 2) & 1});
    std::map<int, PanePlace> panes;
    for (const PanePlace& pane : plan.panes) panes[pane.id] = pane;
    std::vector<ui::ControlSpec> shown;
    for (ui::ControlSpec c : MainWindowControls()) {
      const bool onStopwatchBar =
          c.id == ids::kKeyStart || c.id == ids::kKeyLap || c.id == ids::kKeyReset || c.id == ids::kTimeDisplay;
      const bool onStatusBar = panes.contains(c.id) || c.id == ids::kSeparatorLine;
      if (c.hidden || (onStopwatchBar && !plan.stopwatchShown) || (onStatusBar && !plan.statusBarShown)) continue;
      if (c.id == ids::kTapeList) {
        if (!plan.tapeShown) continue;
        c.width = plan.tapeListWidth;
        c.height = plan.tapeListHeight;
      }
      if (const auto pane = panes.find(c.id); pane != panes.end()) {
        c.x = pane->second.x;
        c.y = pane->second.y;
        c.width = pane->second.width;
        c.height = pane->second.height;
      }
      if (c.id == ids::kSeparatorLine) c.y = plan.barTop;
      if (onStatusBar && c.x >= plan.clientWidth) continue;
      EXPECT_GE(c.x, 0) << c.id;
      EXPECT_GE(c.y, 0) << c.id;
      EXPECT_LE(c.y + c.height, plan.clientHeight) << c.id;
      EXPECT_TRUE(onStatusBar || c.x + c.width <= plan.clientWidth) << c.id;
      // The line is drawn along the panes' top, the frame around the options.
      if (c.id == ids::kOptionFrame) {
        for (int id = ids::kOptionDec; id <= ids::kOptionOct; ++id) EXPECT_TRUE(Encloses(c, *FindControl(id))) << id;
      }
      if (c.id != ids::kSeparatorLine && c.id != ids::kOptionFrame) shown.push_back(c);
    }
    for (const ui::ControlSpec& a : shown) {
      for (const ui::ControlSpec& b : shown) {
        EXPECT_TRUE(&a >= &b || !Overlap(a, b)) << a.id << " and " << b.id;
      }
    }
  }
}

}  // namespace
}  // namespace tallix
