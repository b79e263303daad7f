#pragma once
// The form the form framework's tests open, and their fixture, which opens
// it modeless beside the shared parent window.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/ui/ui_test_support.h"
#include "ui/form.h"

namespace tallix::ui::test {

inline constexpr wchar_t kTahoma12[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr int kEdit1 = 101, kEdit2 = 102, kKey = 103, kLabel = 104, kCancel = 2;
inline constexpr UINT kProbe = WM_APP + 1;

// A form whose handlers the tests fill in.
class TestForm : public FormDefinition {
 public:
  TestForm() {
    name = L"TEST1";
    caption = L"Test form";
    width = 300;
    height = 200;
    // clang-format off
    controls = {
        {kEdit1, L"EDIT", L"first", 10, 10, 100, 20, WS_TABSTOP | WS_BORDER, 0,
         {.fontSpec = kTahoma12, .value = 11}},
        {kEdit2, L"EDIT", L"second", 10, 40, 100, 20, WS_TABSTOP | WS_BORDER, 0,
         {.fontSpec = kTahoma12, .value = 12, .selectAllOnFocus = true}},
        {kKey, L"TB_XPBUTTON", L"7", 120, 10, 40, 30, WS_TABSTOP, 0,
         {.fontSpec = L"Tahoma,-13,0,0,0,700,0,0,0,0,3,2,1,34", .value = 13}},
        {kLabel, L"STATIC", L"label", 120, 50, 60, 20, 0, 0,
         {.ownColors = true, .textColor = RGB(255, 0, 0), .backColor = RGB(0, 255, 0)}},
        {kCancel, L"BUTTON", L"Cancel", 200, 10, 60, 24, WS_TABSTOP, 0, {}},
    };
    // clang-format on
  }

  LRESULT OnCreate(HWND form, LPARAM value) override {
    createValue = value;
    return onCreate ? onCreate(form) : 0;
  }
  LRESULT OnControlEvent(const ControlEvent& event) override {
    events.push_back(event);
    if (event.id == kCancel && event.code == BN_CLICKED) CloseForm(event.form, 42);
    return 0;
  }
  LRESULT OnKeyPreview(HWND control, const MSG& message) override {
    if (message.message == WM_KEYDOWN && message.wParam == VK_F5) {
      previewedF5 = GetDlgCtrlID(control);
      return 1;
    }
    return 0;
  }
  bool OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == kProbe && onProbe) {
      onProbe(form);
      return true;
    }
    if (message == WM_TIMER && wParam == 99) {
      timedOut = true;
      CloseForm(form, -99);
      return true;
    }
    return false;
  }

  std::function<LRESULT(HWND)> onCreate;
  std::function<void(HWND)> onProbe;
  LPARAM createValue = 0;
  std::vector<ControlEvent> events;
  int previewedF5 = 0;
  bool timedOut = false;
};

inline HWND Item(HWND form, int id) { return GetDlgItem(form, id); }

inline void PostKey(HWND target, WPARAM key) { PostMessageW(target, WM_KEYDOWN, key, 1); }

class FormTest : public ::testing::Test {
 protected:
  HWND OpenModeless() {
    INT_PTR result = ShowForm(form, owner.window, false, 5);
    Pump();
    return reinterpret_cast<HWND>(result);
  }
  void TearDown() override {
    if (form.window) DestroyWindow(form.window);
    Pump();
  }

  RecordingParent& owner = SharedParent();
  TestForm form;
};

}  // namespace tallix::ui::test
