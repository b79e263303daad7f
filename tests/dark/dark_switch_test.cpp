// Switching between the light and the dark look on a running Tallix as a user
// does: Windows' app mode changed and announced ("ImmersiveColorSet") while a
// side window is open, each of View > Theme's choices under either app mode
// and after a restart, and high contrast winning over a dark app mode. Runs
// in a prefix of its own (run_in_dark_mode.sh), whose app mode it sets.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/main_window/control_ids.h"
#include "resources/resource_ids.h"
#include "services/theme_choice.h"
#include "tests/app/main_window_fixture.h"
#include "tests/dark/dark_measures.h"
#include "tests/ui/shot_areas.h"
#include "ui/contrast.h"
#include "ui/dark_theme.h"

namespace tallix::main_window_gui {
namespace {

using dark_test::IsDark;
using dark_test::IsLight;
using ui::test::Pixels;

void SetAppModeDark(bool dark) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                            nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD light = dark ? 0 : 1;
  EXPECT_EQ(
      RegSetValueExW(key, L"AppsUseLightTheme", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&light), sizeof light),
      ERROR_SUCCESS);
  RegCloseKey(key);
}

// What Windows sends every top-level window once the user has changed the app mode.
void AnnounceAppModeChange() {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                      SMTO_ABORTIFHUNG, 5000, &ignored);
  Pump();
}

// The window as the screen shows it once it has painted.
Pixels Shot(HWND form) {
  RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ui::test::AwaitSettledScreen(form);
  return ui::test::ScreenPixels(form);
}

// The pixels of two pictures of a window of one size that differ by more
// than the few levels by which the rounded corners of themed keys, blended
// with what lies under them, move at any repaint.
int PixelsApart(const Pixels& a, const Pixels& b) {
  if (a.width != b.width || a.height != b.height) return -1;
  int apart = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) apart += !ui::test::Near(a.At(x, y), b.At(x, y), 8);
  return apart;
}

COLORREF Face(HWND form) { return dark_test::FaceColour(Shot(form), form).value_or(CLR_INVALID); }

void Photograph(HWND form, const std::string& name) {
  if (const char* folder = std::getenv("TALLIX_SCREENSHOTS"))
    ui::test::Photograph(form, std::string(folder) + "\\dark-switch-" + name + ".bmp");
}

class DarkSwitchTest : public MainWindowTest {
 protected:
  void SetUp() override {
    ui::test::PointerOutOfTheWay();
    SetAppModeDark(false);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    ui::OverrideHighContrast(std::nullopt);
    SetAppModeDark(true);
  }

  // Beside the main window, so that each is seen whole.
  HWND OpenArea() {
    Click(ids::kKeyArea);
    HWND area = FindWindowW(nullptr, L"Area Calculator");
    RECT main{};
    GetWindowRect(window_, &main);
    SetWindowPos(area, nullptr, main.right + 8, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    return area;
  }
  // A new process follows the system until Tallix.ini says otherwise.
  void Restart() {
    Close();
    ui::SetThemeChoice(ThemeChoice::kSystem);
    Open();
  }
  void SendEach(HWND a, HWND b, UINT message, WPARAM wParam) {
    for (HWND form : {a, b}) SendMessageW(form, message, wParam, 0);
    Pump();
  }
};

TEST_F(DarkSwitchTest, AppModeChangedWhileOpenTurnsEveryOpenWindowDarkAndBackAsItWas) {
  Open();
  HWND area = OpenArea();
  ASSERT_NE(area, nullptr);
  const Pixels light = Shot(window_);
  EXPECT_TRUE(IsLight(Face(window_)));
  EXPECT_TRUE(IsLight(Face(area)));

  SetAppModeDark(true);
  AnnounceAppModeChange();
  EXPECT_TRUE(IsDark(Face(window_)));
  EXPECT_TRUE(IsDark(Face(area)));
  const Pixels dark = Shot(window_);
  EXPECT_TRUE(IsDark(dark_test::CommonColour(dark, ui::test::ClientInShot(dark, window_, Item(ids::kTapeList)))));
  Photograph(window_, "main");
  Photograph(area, "area");

  SetAppModeDark(false);
  AnnounceAppModeChange();
  EXPECT_TRUE(IsLight(Face(area)));
  EXPECT_EQ(PixelsApart(Shot(window_), light), 0) << "the main window is not as it was before it went dark";
  DestroyWindow(area);
}

struct ChoiceCase {
  bool appModeDark;
  int item;
  const char* kept;
  bool dark;
};

class ThemeChoiceTest : public DarkSwitchTest, public testing::WithParamInterface<ChoiceCase> {
 protected:
  void ExpectLook(const ChoiceCase& choice, HWND side) {
    const COLORREF face = Face(window_);
    EXPECT_EQ(IsDark(face), choice.dark) << std::hex << face;
    EXPECT_EQ(IsLight(face), !choice.dark) << std::hex << face;
    if (side) {
      EXPECT_EQ(IsDark(Face(side)), choice.dark);
    }
    EXPECT_EQ(Setting("Theme"), choice.kept);
    for (int item : {IDM_THEME_SYSTEM, IDM_THEME_LIGHT, IDM_THEME_DARK})
      EXPECT_EQ(Checked(item), item == choice.item) << "menu item " << item;
  }
};

TEST_P(ThemeChoiceTest, DoesWhatItSaysAtOnceAndAfterARestart) {
  const ChoiceCase choice = GetParam();
  SetAppModeDark(choice.appModeDark);
  Open();
  HWND area = OpenArea();
  ASSERT_NE(area, nullptr);
  // From the other look, so that the choice has something to change.
  Menu(choice.dark ? IDM_THEME_LIGHT : IDM_THEME_DARK);
  Menu(choice.item);
  ExpectLook(choice, area);
  Restart();
  ExpectLook(choice, nullptr);
}

INSTANTIATE_TEST_SUITE_P(EitherAppMode, ThemeChoiceTest,
                         testing::Values(ChoiceCase{false, IDM_THEME_SYSTEM, "System", false},
                                         ChoiceCase{true, IDM_THEME_SYSTEM, "System", true},
                                         ChoiceCase{true, IDM_THEME_LIGHT, "Light", false},
                                         ChoiceCase{false, IDM_THEME_LIGHT, "Light", false},
                                         ChoiceCase{false, IDM_THEME_DARK, "Dark", true},
                                         ChoiceCase{true, IDM_THEME_DARK, "Dark", true}),
                         [](const testing::TestParamInfo<ChoiceCase>& info) {
                           return std::string(info.param.kept) +
                                  (info.param.appModeDark ? "UnderADarkAppMode" : "UnderALightAppMode");
                         });

TEST_F(DarkSwitchTest, HighContrastUnderADarkAppModeDrawsInTheSystemColours) {
  SetAppModeDark(true);
  Open();
  HWND area = OpenArea();
  ASSERT_NE(area, nullptr);
  ASSERT_TRUE(IsDark(Face(window_)));
  // Wine keeps no high contrast setting: the test hook stands in for it.
  ui::OverrideHighContrast(true);
  SendEach(window_, area, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);
  for (int chosen : {IDM_THEME_SYSTEM, IDM_THEME_DARK}) {
    Menu(chosen);
    const Pixels shot = Shot(window_);
    EXPECT_EQ(Face(window_), GetSysColor(COLOR_BTNFACE)) << chosen;
    EXPECT_EQ(Face(area), GetSysColor(COLOR_BTNFACE)) << chosen;
    EXPECT_EQ(ui::test::PixelOf(shot, window_, Item(ids::kKey1 + 6), 3, 3), GetSysColor(COLOR_BTNFACE)) << chosen;
    EXPECT_EQ(ui::test::PixelOf(shot, window_, Item(ids::kTapeList), 3, -3), GetSysColor(COLOR_WINDOW)) << chosen;
  }
  ui::OverrideHighContrast(false);
  SendEach(window_, area, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST);
  EXPECT_TRUE(IsDark(Face(window_)));
  EXPECT_TRUE(IsDark(Face(area)));
  DestroyWindow(area);
}

}  // namespace
}  // namespace tallix::main_window_gui
