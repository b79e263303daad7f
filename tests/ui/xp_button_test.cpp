#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/exports.h"
#include "ui/ux_theme.h"
#include "ui/xp_button.h"

using namespace tallix::ui;
using namespace tallix::ui::test;

namespace {

constexpr int kId = 1019;

LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class XPButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    button = CREATEXPBUTTON(parent.window, kId, L"7", 10, 10, 60, 30, WS_VISIBLE, 0, 0);
    ASSERT_NE(button, nullptr);
    Pump();
  }
  void TearDown() override {
    if (IsWindow(button)) DestroyWindow(button);
    Pump();
  }
  void Press(LPARAM at = Point(5, 5)) {
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Pump();
  }
  void Release(LPARAM at = Point(5, 5)) {
    SendMessageW(button, WM_LBUTTONUP, 0, at);
    Pump();
  }
  void Key(UINT message, WPARAM key, LPARAM flags = 1) {
    SendMessageW(button, message, key, flags);
    Pump();
  }
  XPButtonInfo Info() const { return *GetXPButtonInfo(button); }

  RecordingParent& parent = SharedParent();
  HWND button = nullptr;
};

// Whatever the mouse and the keyboard did to it, a key let go is drawn as it
// was before: never left looking pressed or under the pointer.
TEST_F(XPButtonTest, KeyLetGoIsDrawnAsAtRest) {
  EXPECT_EQ(ClassOf(button), L"TB_XPBUTTON");
  EXPECT_EQ(GetDlgCtrlID(button), kId);
  EXPECT_EQ(SendMessageW(button, WM_ERASEBKGND, 0, 0), 1);
  SetFocus(button);
  Pump();
  const Pixels atRest = Render(button);
  Press();
  EXPECT_NE(Render(button).Differences(atRest), 0) << "drawn pressed";
  Release();
  EXPECT_EQ(Render(button).Differences(atRest), 0) << "after a click";
  Key(WM_KEYDOWN, VK_SPACE);
  EXPECT_NE(Render(button).Differences(atRest), 0) << "drawn pressed by Space";
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(Render(button).Differences(atRest), 0) << "after Space";
  SendMessageW(button, WM_MOUSEMOVE, 0, Point(3, 3));
  SendMessageW(button, WM_MOUSELEAVE, 0, 0);
  Pump();
  EXPECT_EQ(Render(button).Differences(atRest), 0) << "after the pointer left";
  EXPECT_EQ(parent.Clicks(kId), 2);
}

TEST_F(XPButtonTest, MouseClickRules) {
  Press();
  EXPECT_EQ(Info().state, kXPButtonHeld);
  EXPECT_EQ(GetCapture(), button);
  EXPECT_EQ(GetFocus(), button);
  Release();
  EXPECT_EQ(Info().state, 0);
  EXPECT_NE(GetCapture(), button);
  EXPECT_EQ(parent.Clicks(kId), 1);

  // Released outside after pressing inside: no click.
  Press();
  Release(Point(-5, -5));
  EXPECT_EQ(parent.Clicks(kId), 1);
  Press();
  Release(Point(100, 5));
  EXPECT_EQ(parent.Clicks(kId), 1);

  // A press outside the button is ignored, and so is the release that follows.
  Press(Point(200, 200));
  EXPECT_EQ(Info().state, 0);
  Release();
  EXPECT_EQ(parent.Clicks(kId), 1);
}

TEST_F(XPButtonTest, DoubleClickGivesTwoPressesAndTwoClicks) {
  Press();
  Release();
  SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(5, 5));
  Pump();
  EXPECT_EQ(Info().state, kXPButtonHeld);
  Release();
  EXPECT_EQ(parent.Clicks(kId), 2);
  EXPECT_EQ(Info().toggled, 0) << "two presses flip the toggled flag twice";
}

TEST_F(XPButtonTest, SpaceAndEnterClickOnRelease) {
  SetFocus(button);
  Key(WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(Info().state, kXPButtonHeld);
  EXPECT_EQ(parent.Clicks(kId), 0);
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(parent.Clicks(kId), 1);
  Key(WM_KEYDOWN, VK_RETURN);
  Key(WM_KEYUP, VK_RETURN);
  EXPECT_EQ(parent.Clicks(kId), 2);
  // Other keys neither press nor click.
  Key(WM_KEYDOWN, 'A');
  Key(WM_KEYUP, 'A');
  EXPECT_EQ(parent.Clicks(kId), 2);
  // Key-up without a press first does nothing.
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(parent.Clicks(kId), 2);
}

TEST_F(XPButtonTest, HeldKeyRepeatDoesNotFlipToggleAgain) {
  TB_XPBUTTON_SETTOGGLEMODE(button, 1, FALSE);
  Key(WM_KEYDOWN, VK_SPACE, 1);
  const LPARAM repeat = 1 | (1L << 30);
  Key(WM_KEYDOWN, VK_SPACE, repeat);
  Key(WM_KEYDOWN, VK_SPACE, repeat);
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_NE(Info().toggled, 0);
  EXPECT_EQ(parent.Clicks(kId), 1);
}

TEST_F(XPButtonTest, DisabledButtonNeverNotifies) {
  EnableWindow(button, FALSE);
  Pump();
  Press();
  Release();
  Key(WM_KEYDOWN, VK_SPACE);
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(parent.Clicks(kId), 0);
  EXPECT_EQ(Info().state, 0);
}

TEST_F(XPButtonTest, ToggleStateFlipsOnEveryPress) {
  EXPECT_EQ(TB_XPBUTTON_SETTOGGLEMODE(button, 5, FALSE), 0);
  EXPECT_TRUE(Info().toggleMode);
  Press();
  Release();
  EXPECT_EQ(Info().toggled, -1);
  Press();
  Release();
  EXPECT_EQ(Info().toggled, 0);
  EXPECT_EQ(TB_XPBUTTON_SETTOGGLESTATE(button, 7, TRUE), 0);
  EXPECT_EQ(Info().toggled, -1);
  EXPECT_EQ(TB_XPBUTTON_SETTOGGLESTATE(button, 0, TRUE), -1);
  EXPECT_EQ(Info().toggled, 0);
  EXPECT_EQ(TB_XPBUTTON_SETTOGGLEMODE(button, 0, FALSE), 1);
}

TEST_F(XPButtonTest, HotTracking) {
  EXPECT_FALSE(Info().hot);
  SendMessageW(button, WM_MOUSEMOVE, 0, Point(3, 3));
  Pump();
  EXPECT_TRUE(Info().hot);
  SendMessageW(button, WM_MOUSELEAVE, 0, 0);
  Pump();
  EXPECT_FALSE(Info().hot);
}

TEST_F(XPButtonTest, DialogCodesAndCursor) {
  EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  MSG enter{button, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)), DLGC_WANTALLKEYS);
  MSG enterChar{button, WM_CHAR, VK_RETURN, 0, 0, {}};
  EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enterChar)), DLGC_WANTALLKEYS);
  MSG tab{button, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_EQ(SendMessageW(button, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)), 0);
  EXPECT_EQ(SendMessageW(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button), HTCLIENT), TRUE);
}

TEST_F(XPButtonTest, CommandAndNotifyArePassedToTheParent) {
  SendMessageW(button, WM_COMMAND, MAKEWPARAM(77, 3), 0);
  NMHDR header{button, 78, 42u};
  SendMessageW(button, WM_NOTIFY, 78, reinterpret_cast<LPARAM>(&header));
  Pump();
  ASSERT_EQ(parent.commands.size(), 1u);
  EXPECT_EQ(parent.commands[0], std::make_pair(77, 3));
  EXPECT_EQ(parent.otherMessages.size(), 1u);
}

TEST_F(XPButtonTest, FontOwnership) {
  HFONT given = MakeCrispFont();
  EXPECT_EQ(TB_XPBUTTON_SETFONT(button, given, TRUE, TRUE), GetStockObject(ANSI_VAR_FONT));
  EXPECT_FALSE(Info().fontOwned);
  HFONT handedOver = MakeCrispFont(-14);
  EXPECT_EQ(TB_XPBUTTON_SETFONT(button, handedOver, FALSE, FALSE), given);
  EXPECT_TRUE(Info().fontOwned);
  LOGFONTW lf;
  EXPECT_NE(GetObjectW(given, sizeof(lf), &lf), 0) << "a kept font stays alive";

  // WM_SETFONT stores the font; the handed-over one is released, the new one stays the sender's.
  SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(given), TRUE);
  Pump();
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), given);
  EXPECT_FALSE(Info().fontOwned);
  EXPECT_EQ(GetObjectW(handedOver, sizeof(lf), &lf), 0);
  SendMessageW(button, WM_SETFONT, 0, TRUE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), given);

  DestroyWindow(button);
  EXPECT_NE(GetObjectW(given, sizeof(lf), &lf), 0);
  DeleteObject(given);
}

TEST_F(XPButtonTest, OwnedFontIsDeletedWithTheButton) {
  HFONT font = MakeCrispFont();
  TB_XPBUTTON_SETFONT(button, font, FALSE, FALSE);
  DestroyWindow(button);
  LOGFONTW lf;
  EXPECT_EQ(GetObjectW(font, sizeof(lf), &lf), 0);
}

bool Alive(HANDLE bitmap) {
  BITMAP bm;
  return GetObjectW(bitmap, sizeof(bm), &bm) != 0;
}

TEST_F(XPButtonTest, ImageSlotsAndOwnership) {
  HBITMAP first = SolidBitmap(RGB(0, 255, 0));
  HBITMAP second = SolidBitmap(RGB(0, 128, 0));
  HBITMAP kept = SolidBitmap(RGB(9, 9, 9));

  EXPECT_EQ(TB_XPBUTTON_SETIMAGE(button, first, 0, 1, TRUE, FALSE), nullptr);
  EXPECT_EQ(Info().images[0], first);
  EXPECT_EQ(Info().imageWidth, 16);
  EXPECT_EQ(Info().imageHeight, 16);
  // The owned previous image is returned and deleted.
  EXPECT_EQ(TB_XPBUTTON_SETIMAGE(button, second, 0, 1, FALSE, FALSE), first);
  EXPECT_FALSE(Alive(first));
  // Setting the same image again keeps it alive.
  TB_XPBUTTON_SETIMAGE(button, second, 0, 1, FALSE, FALSE);
  EXPECT_TRUE(Alive(second));

  // A kept image survives being replaced.
  EXPECT_EQ(TB_XPBUTTON_SETIMAGE(button, kept, 0, 2, FALSE, TRUE), nullptr);
  EXPECT_EQ(Info().images[1], kept);
  HBITMAP hot = SolidBitmap(RGB(1, 1, 1));
  EXPECT_EQ(TB_XPBUTTON_SETIMAGE(button, hot, 0, 2, FALSE, FALSE), kept);
  EXPECT_TRUE(Alive(kept));

  // Invalid requests change nothing.
  EXPECT_EQ(TB_XPBUTTON_SETIMAGE(button, kept, 2, 1, FALSE, TRUE), nullptr);
  EXPECT_EQ(TB_XPBUTTON_SETIMAGE(button, kept, 0, 0, FALSE, TRUE), nullptr);
  EXPECT_EQ(TB_XPBUTTON_SETIMAGE(button, kept, 0, 4, FALSE, TRUE), nullptr);
  EXPECT_EQ(TB_XPBUTTON_SETIMAGE(button, nullptr, 0, 1, FALSE, TRUE), nullptr);
  EXPECT_EQ(TB_XPBUTTON_SETIMAGE(nullptr, kept, 0, 1, FALSE, TRUE), nullptr);
  EXPECT_EQ(Info().images[0], second);

  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  HICON icon_copy = CopyIcon(icon);
  TB_XPBUTTON_SETIMAGE(button, icon_copy, 1, 3, FALSE, FALSE);
  EXPECT_EQ(Info().imageType, 1);

  DestroyWindow(button);
  EXPECT_FALSE(Alive(second));
  EXPECT_FALSE(Alive(hot));
  EXPECT_TRUE(Alive(kept));
  DeleteObject(kept);
}

TEST_F(XPButtonTest, NumericSettersReturnThePreviousValue) {
  EXPECT_EQ(TB_XPBUTTON_SETIMAGEWIDTH(button, 20, TRUE), 0);
  EXPECT_EQ(TB_XPBUTTON_SETIMAGEWIDTH(button, 24, FALSE), 20);
  EXPECT_EQ(TB_XPBUTTON_SETIMAGEHEIGHT(button, 22, FALSE), 0);
  EXPECT_EQ(TB_XPBUTTON_SETIMAGEPOS(button, 12, FALSE), 9);
  EXPECT_EQ(TB_XPBUTTON_SETIMAGEMARGIN(button, 6, FALSE), 4);
  EXPECT_EQ(TB_XPBUTTON_SETTEXTMARGIN(button, 2, FALSE), 4);
  XPButtonInfo info = Info();
  EXPECT_EQ(info.imageWidth, 24);
  EXPECT_EQ(info.imageHeight, 22);
  EXPECT_EQ(info.imagePosition, 12);
  EXPECT_EQ(info.imageMargin, 6);
  EXPECT_EQ(info.textMargin, 2);
}

TEST(XPButtonSetters, IgnoreWindowsThatAreNotButtons) {
  RecordingParent& parent = SharedParent();
  EXPECT_EQ(TB_XPBUTTON_SETIMAGEWIDTH(nullptr, 3, TRUE), 0);
  EXPECT_EQ(TB_XPBUTTON_SETTEXTMARGIN(parent.window, 3, TRUE), 0);
  EXPECT_EQ(TB_XPBUTTON_SETFONT(parent.window, nullptr, TRUE, FALSE), nullptr);
  EXPECT_EQ(TB_XPBUTTON_SETTOGGLESTATE(reinterpret_cast<HWND>(0x1234), 1, TRUE), 0);
  EXPECT_FALSE(GetXPButtonInfo(parent.window).has_value());
}

TEST(XPButtonCreation, FailsWithoutAParentAndRegistersOnce) {
  EXPECT_EQ(CREATEXPBUTTON(nullptr, 1, L"x", 0, 0, 10, 10, WS_VISIBLE, 0, 0), nullptr);
  RecordingParent& parent = SharedParent();
  HWND a = CREATEXPBUTTON(parent.window, 1, L"a", 0, 0, 10, 10, 0, WS_EX_TRANSPARENT, 99);
  HWND b = CREATEXPBUTTON(parent.window, 2, L"b", 0, 0, 10, 10, 0, 0, 0);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(GetWindowLongW(a, GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(GetWindowLongW(a, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"TB_XPBUTTON", &wc));
  EXPECT_TRUE(wc.style & CS_GLOBALCLASS);
  EXPECT_EQ(wc.cbWndExtra, static_cast<int>(sizeof(void*)));
  EXPECT_EQ(wc.hbrBackground, nullptr);
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST(ToolkitExports, AreExportedFromTheExecutableUnderTheirNames) {
  HMODULE self = GetModuleHandleW(nullptr);
  for (const char* name :
       {"CREATEXPBUTTON", "TB_XPBUTTON_SETIMAGE", "TB_XPBUTTON_SETIMAGEWIDTH", "TB_XPBUTTON_SETIMAGEHEIGHT",
        "TB_XPBUTTON_SETIMAGEPOS", "TB_XPBUTTON_SETIMAGEMARGIN", "TB_XPBUTTON_SETTEXTMARGIN", "TB_XPBUTTON_SETFONT",
        "TB_XPBUTTON_SETTOGGLESTATE", "FIRELINES"})
    EXPECT_NE(GetProcAddress(self, name), nullptr) << name;
  EXPECT_EQ(GetProcAddress(self, "TB_XPBUTTON_SETTOGGLEMODE"), nullptr);
}

}  // namespace
