// The main window in high contrast, as the screen shows it: the system colours
// are set to a scheme no window would choose by itself, high contrast is
// switched on while the window is open, and the keys, the tape and the
// separator line must repaint in the scheme's colours. Runs in a prefix of its
// own (run_high_contrast.sh); colours and setting are restored at the end.
// TALLIX_SCREENSHOT names the BMP file the window is photographed into.
#include <windows.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_window/control_ids.h"
#include "app/main_window/main_window.h"
#include "app/main_window/tape_colour.h"
#include "side_window/wide_text.h"
#include "tests/ui/shot_areas.h"
#include "tests/ui/ui_test_support.h"
#include "tools/loan/loan_chart.h"
#include "ui/contrast.h"
#include "ui/control_helpers.h"
#include "ui/exports.h"

namespace tallix {
namespace {

using ui::test::CountNear;
using ui::test::PixelOf;
using ui::test::Pixels;
using ui::test::Pump;

struct SchemeColour {
  int element;
  COLORREF colour;
};
constexpr std::array<SchemeColour, 7> kScheme = {{
    {COLOR_BTNFACE, RGB(0, 0, 96)},
    {COLOR_BTNTEXT, RGB(255, 255, 0)},
    {COLOR_WINDOW, RGB(0, 64, 0)},
    {COLOR_WINDOWTEXT, RGB(0, 255, 255)},
    {COLOR_HIGHLIGHT, RGB(128, 0, 128)},
    {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_GRAYTEXT, RGB(0, 160, 0)},
}};

COLORREF Scheme(int element) {
  for (const SchemeColour& entry : kScheme)
    if (entry.element == element) return entry.colour;
  return CLR_INVALID;
}

void SetColours(const std::array<SchemeColour, 7>& colours) {
  std::array<int, 7> elements{};
  std::array<COLORREF, 7> values{};
  for (size_t i = 0; i < colours.size(); ++i) elements[i] = colours[i].element, values[i] = colours[i].colour;
  SetSysColors(static_cast<int>(colours.size()), elements.data(), values.data());
}

bool SetHighContrastFlags(DWORD flags) {
  HIGHCONTRASTW contrast{sizeof contrast, flags, nullptr};
  return SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof contrast, &contrast, 0) != 0;
}

DWORD HighContrastFlags() {
  HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
  SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0);
  return contrast.dwFlags;
}

class HighContrastTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (size_t i = 0; i < kScheme.size(); ++i) saved_[i] = {kScheme[i].element, GetSysColor(kScheme[i].element)};
    savedFlags_ = HighContrastFlags();
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    ini_ = std::string(folder) + "tallix-contrast-" + std::to_string(GetCurrentProcessId()) + ".ini";
    main_ = CreateMainWindow(ini_);
    ASSERT_NE(main_, nullptr);
    form_ = main_->Owner();
    // A subtraction and a negative result: red lines on an ordinary screen.
    for (int id : {ids::kKey1 + 4, ids::kKeyMinus, ids::kKey1 + 7, ids::kKeyMinus, ids::kKeyEquals}) Click(id);
    // Shown down without the window going topmost.
    TB_XPBUTTON_SETTOGGLESTATE(Control(ids::kKeyAlwaysOnTop), 1, TRUE);
    Pump();

    // Switched on with the window open, as a user would: the window must
    // follow the change, not only start in it.
    SetColours(kScheme);
    SetHighContrastFlags(HCF_HIGHCONTRASTON);
    if (!ui::HighContrastOn()) {
      std::printf("the system keeps no high contrast setting (Wine): the test hook stands in\n");
      ui::OverrideHighContrast(true);
    }
    SendMessageW(form_, WM_SYSCOLORCHANGE, 0, 0);
    SendMessageW(form_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    Settle();
  }

  static void TearDownTestSuite() {
    if (IsWindow(form_)) DestroyWindow(form_);
    Pump();
    ui::OverrideHighContrast(std::nullopt);
    SetHighContrastFlags(savedFlags_);
    SetColours(saved_);
    DeleteFileA(ini_.c_str());
  }

  static HWND Control(int id) { return GetDlgItem(form_, id); }
  static void Click(int id) {
    SendMessageW(form_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
  }
  // Wine copies what a window painted to the screen once its thread is idle,
  // and at most every 50 ms: the picture is taken after that.
  static void Settle() {
    Pump();
    RedrawWindow(form_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (int i = 0; i < 3; ++i) {
      Sleep(40);
      Pump();
    }
  }
  static Pixels Shot() { return ui::test::ScreenPixels(form_); }

  static inline MainWindowContext* main_ = nullptr;
  static inline HWND form_ = nullptr;
  static inline std::string ini_;
  static inline std::array<SchemeColour, 7> saved_{};
  static inline DWORD savedFlags_ = 0;
};

TEST_F(HighContrastTest, KeysTakeTheButtonColoursWhateverTheirGroup) {
  const Pixels shot = Shot();
  for (int id : {ids::kKey1 + 6, ids::kKeyPlus, ids::kKeyArea, ids::kKeyFeed}) {
    HWND key = Control(id);
    const std::string caption = Cp1252FromWide(ui::GetText(key));
    EXPECT_EQ(PixelOf(shot, form_, key, 3, 3), Scheme(COLOR_BTNFACE)) << caption;
    EXPECT_GT(CountNear(shot, form_, key, Scheme(COLOR_BTNTEXT)), 10) << caption;
    for (COLORREF group : {RGB(0, 0, 255), RGB(255, 0, 0), RGB(255, 0, 255), RGB(128, 64, 0)})
      EXPECT_EQ(CountNear(shot, form_, key, group), 0) << caption;
  }
}

TEST_F(HighContrastTest, ToggledKeyShowsTheHighlightAndDisabledKeyGreyText) {
  const Pixels shot = Shot();
  HWND toggled = Control(ids::kKeyAlwaysOnTop);
  EXPECT_GT(CountNear(shot, form_, toggled, Scheme(COLOR_HIGHLIGHTTEXT)), 5);
  HWND disabled = Control(ids::kKeyLap);
  EXPECT_GT(CountNear(shot, form_, disabled, Scheme(COLOR_GRAYTEXT)), 5);
  EXPECT_EQ(CountNear(shot, form_, disabled, Scheme(COLOR_BTNTEXT), 0), 0);
}

TEST_F(HighContrastTest, TapeTakesTheWindowColoursAndKeepsItsMinusSigns) {
  HWND tape = Control(ids::kTapeList);
  bool redOnScreen = false;
  for (int line = 0; line < ui::ListBoxCount(tape); ++line) {
    const std::string text = Cp1252FromWide(ui::ListBoxItemText(tape, line));
    redOnScreen |= TapeLineColour(text, TapeMedium::Screen, 0) == kTapeRed;
  }
  ASSERT_TRUE(redOnScreen) << "the session should have left a red line";
  const Pixels shot = Shot();
  EXPECT_EQ(PixelOf(shot, form_, tape, 3, -3), Scheme(COLOR_WINDOW));
  EXPECT_GT(CountNear(shot, form_, tape, Scheme(COLOR_WINDOWTEXT)), 20);
  EXPECT_EQ(CountNear(shot, form_, tape, RGB(255, 0, 0), 60), 0);
  EXPECT_EQ(CountNear(shot, form_, tape, RGB(0, 0, 255), 60), 0);
}

TEST_F(HighContrastTest, SeparatorLineTakesTheButtonColours) {
  // Drawn by itself: the status bar's panes cover it on the screen.
  const Pixels line = ui::test::Render(Control(ids::kSeparatorLine));
  EXPECT_EQ(line.At(10, 0), Scheme(COLOR_BTNTEXT));
  EXPECT_EQ(line.At(10, 4), Scheme(COLOR_BTNFACE));
}

TEST_F(HighContrastTest, FocusedKeyShowsItsFocusRectangle) {
  HWND key = Control(ids::kKey1 + 6);
  RECT client{};
  GetClientRect(key, &client);
  const Pixels before = Shot();
  SetFocus(key);
  Settle();
  const Pixels after = Shot();
  // The dotted ring, 4 pixels in: every other pixel of its top row changes.
  int changed = 0;
  for (int x = 5; x < client.right - 5; ++x)
    changed += PixelOf(before, form_, key, x, 4) != PixelOf(after, form_, key, x, 4);
  EXPECT_GE(changed, (client.right - 10) / 3);

  if (const char* path = std::getenv("TALLIX_SCREENSHOT")) ui::test::Photograph(form_, path);
}

TEST_F(HighContrastTest, SwitchedOffTheKeysAndTapeTakeTheirOwnColoursAgain) {
  ui::OverrideHighContrast(false);
  SendMessageW(form_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  Settle();
  const Pixels shot = Shot();
  EXPECT_GT(CountNear(shot, form_, Control(ids::kKey1 + 6), RGB(0, 0, 255), 40), 5);
  EXPECT_GT(CountNear(shot, form_, Control(ids::kTapeList), RGB(255, 0, 0), 40), 5);
  ui::OverrideHighContrast(true);
  SendMessageW(form_, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  Settle();
}

// The loan chart in the scheme's few colours, its interest told apart by
// hatching. Last: Calculate writes the loan to the tape.
TEST_F(HighContrastTest, LoanChartTakesTheSchemeColours) {
  Click(ids::kKeyLoan);
  Pump();
  HWND loan = FindWindowW(L"FORM_TALLIX_FORM4_CLASS", nullptr);
  ASSERT_NE(loan, nullptr);
  const std::pair<int, const wchar_t*> fields[] = {{1004, L"200000"}, {1005, L"6.5"}, {1006, L"30"}};
  for (const auto& [id, text] : fields) SetWindowTextW(GetDlgItem(loan, id), text);
  SendMessageW(GetDlgItem(loan, 1010), BM_CLICK, 0, 0);  // Calculate
  SendMessageW(GetDlgItem(loan, 1022), BM_CLICK, 0, 0);  // Show chart
  Settle();
  ui::test::AwaitSettledScreen(loan);
  HWND chart = GetDlgItem(loan, 1021);
  const Pixels shot = ui::test::ScreenPixels(loan);
  EXPECT_EQ(PixelOf(shot, loan, chart, 3, 3), Scheme(COLOR_WINDOW));
  EXPECT_GT(CountNear(shot, loan, chart, Scheme(COLOR_WINDOWTEXT), 0), 500);
  EXPECT_GT(CountNear(shot, loan, chart, Scheme(COLOR_HIGHLIGHT), 0), 500);
  EXPECT_GT(CountNear(shot, loan, chart, GetSysColor(COLOR_HOTLIGHT), 0), 50);
  for (COLORREF own :
       {loan::kLightChartPalette.balance, loan::kLightChartPalette.principal, loan::kLightChartPalette.interest})
    EXPECT_EQ(CountNear(shot, loan, chart, own, 0), 0) << std::hex << own;
  if (const char* path = std::getenv("TALLIX_SCREENSHOT")) {
    std::string picture = path;
    picture.replace(picture.rfind("main"), 4, "loan-chart");
    ui::test::Photograph(loan, picture);
  }
  DestroyWindow(loan);
  Pump();
}

}  // namespace
}  // namespace tallix
