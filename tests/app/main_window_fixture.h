#pragma once
// The main window created in this process and driven through its messages:
// clicks on the keys, menu commands and key strokes on the key sink. Pending
// messages are pumped before every check instead of waiting. Shared by the
// main_window_*_test.cpp parts of main_window_gui_test.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/control_table.h"
#include "app/main_window/main_window.h"
#include "side_window/wide_text.h"
#include "tests/app/form_driving.h"
#include "tests/settings/temp_folder.h"
#include "ui/control_helpers.h"
#include "ui/form.h"

namespace tallix::main_window_gui {

using settings_test::ReadBytes;
using settings_test::TempFolder;
using settings_test::WriteBytes;

using gui_test::Pump;

// Answers the next message boxes of this thread, and remembers their texts.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int answer) {
    answer_ = answer;
    texts_.clear();
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxAnswerer() { UnhookWindowsHookEx(hook_); }
  static const std::vector<std::wstring>& texts() { return texts_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
      auto box = reinterpret_cast<HWND>(wParam);
      wchar_t className[16] = {};
      GetClassNameW(box, className, 16);
      if (std::wstring(className) == L"#32770") {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        texts_.push_back(text);
        PostMessageW(box, WM_COMMAND, answer_, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK hook_;
  static inline int answer_ = IDYES;
  static inline std::vector<std::wstring> texts_;
};

class MainWindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
    InitCommonControlsEx(&controls);
  }

  void TearDown() override { Close(); }

  // Starts the window on a settings file holding `ini` (none when empty).
  void Open(const std::string& ini = "") {
    if (!ini.empty()) WriteBytes(IniPath(), ini);
    context_ = CreateMainWindow(IniPath());
    ASSERT_NE(context_, nullptr);
    window_ = context_->Owner();
    Pump();
  }

  void Close() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
    Pump();
  }

  std::string IniPath() const { return folder_.File(); }
  std::string Ini() const { return ReadBytes(IniPath()); }
  std::string Setting(const std::string& key) const {
    std::istringstream lines(Ini());
    std::string line;
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.starts_with(key + "=")) return line.substr(key.size() + 1);
    }
    return "<missing>";
  }

  HWND Item(int id) const { return GetDlgItem(window_, id); }
  std::string Text(int id) const { return Cp1252FromWide(ui::GetText(Item(id))); }
  std::wstring WideText(int id) const { return ui::GetText(Item(id)); }
  SIZE ClientSize() const {
    RECT r{};
    GetClientRect(window_, &r);
    return {r.right, r.bottom};
  }
  RECT PlaceOf(int id) const {
    RECT r{};
    GetWindowRect(Item(id), &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  bool Checked(int menuId) const { return (GetMenuState(GetMenu(window_), menuId, MF_BYCOMMAND) & MF_CHECKED) != 0; }
  bool Visible(int id) const { return (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }

  void Menu(int id) {
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump();
  }

  void Click(int id) {
    HWND key = Item(id);
    ASSERT_NE(key, nullptr) << id;
    RECT r{};
    GetClientRect(key, &r);
    const LPARAM centre = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageW(key, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    SendMessageW(key, WM_LBUTTONUP, 0, centre);
    Pump();
  }

  void ClickCaption(const std::string& caption) {
    for (const ui::ControlSpec& spec : MainWindowControls()) {
      if (KeyOfControl(spec.id) && Wide(caption) == spec.text) return Click(spec.id);
    }
    FAIL() << "no key " << caption;
  }

  void Type(int virtualKey) {
    SendMessageW(Item(ids::kKeySink), WM_KEYDOWN, virtualKey, 1);
    SendMessageW(Item(ids::kKeySink), WM_KEYUP, virtualKey, 0xC0000001);
    Pump();
  }

  // The loan window, opened with its key.
  HWND OpenLoanWindow() {
    Click(ids::kKeyLoan);
    return FindWindowW(L"FORM_TALLIX_FORM4_CLASS", L"Loan Calculator");
  }
  static void PressButton(HWND form, int id) {
    SendMessageW(form, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(form, id)));
    Pump();
  }

  std::vector<std::string> Tape() const {
    std::vector<std::string> lines;
    HWND tape = Item(ids::kTapeList);
    const LRESULT count = SendMessageW(tape, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring line(static_cast<size_t>(SendMessageW(tape, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      line.resize(static_cast<size_t>(SendMessageW(tape, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
      lines.push_back(Cp1252FromWide(line));
    }
    return lines;
  }

  TempFolder folder_;
  MainWindowContext* context_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace tallix::main_window_gui
