// Save Tape and Load Tape on the main window, through the real common dialogs:
// each dialog gets the path typed into its file name field and Enter, as a
// user would; the message boxes that follow are read and answered.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <winspool.h>

#include <set>
#include <string>
#include <vector>

#include "app/main_window/main_window.h"
#include "app/main_window/tape_commands.h"
#include "app/tape/tape_file.h"
#include "engine/settings_keys.h"
#include "engine/tape_note.h"
#include "resources/resource_ids.h"
#include "side_window/wide_text.h"
#include "tests/app/form_driving.h"
#include "tests/settings/temp_folder.h"
#include "ui/control_helpers.h"
#include "ui/utf8_text.h"

namespace tallix {
namespace {

using settings_test::ReadBytes;
using settings_test::SetReadOnly;
using settings_test::TempFolder;
using settings_test::WriteBytes;

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Drives the dialogs this thread opens: a file dialog (known by its file name
// box) gets `path` typed into that box and Enter; a message box is read and
// answered Yes (an overwrite prompt) or OK; the print dialog is cancelled.
class DialogDriver {
 public:
  explicit DialogDriver(std::wstring path) {
    path_ = std::move(path);
    seen_.clear();
    initialNames_.clear();
    messages_.clear();
    ownerTopmost_.clear();
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~DialogDriver() { UnhookWindowsHookEx(hook_); }
  // The file name each file dialog opened with.
  static const std::vector<std::wstring>& initialNames() { return initialNames_; }
  static const std::vector<std::wstring>& messages() { return messages_; }
  // Whether the print dialog's owner was in the topmost band as each one showed.
  static const std::vector<bool>& ownerTopmost() { return ownerTopmost_; }

 private:
  // The edit inside the explorer style's file name box, however deep.
  static HWND FileNameField(HWND dialog) {
    HWND box = GetDlgItem(dialog, 0x47C);
    HWND edit = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) {
          wchar_t className[16] = {};
          GetClassNameW(child, className, 16);
          if (lstrcmpiW(className, L"Edit") != 0) return TRUE;
          *reinterpret_cast<HWND*>(found) = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&edit));
    return edit ? edit : box;
  }

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto dialog = reinterpret_cast<HWND>(wParam);
    // A handle may come back for the next dialog once this one is gone.
    if (code == HCBT_DESTROYWND) seen_.erase(dialog);
    wchar_t className[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(dialog, className, 16) && std::wstring(className) == L"#32770" &&
        seen_.insert(dialog).second) {
      // The overwrite prompt has the file dialog's title, but no file name box.
      if (GetDlgItem(dialog, 0x47C)) {
        HWND field = FileNameField(dialog);
        initialNames_.push_back(ui::GetText(field));
        PostMessageW(field, EM_SETSEL, 0, -1);
        for (wchar_t ch : path_) PostMessageW(field, WM_CHAR, ch, 1);
        PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(field, WM_KEYUP, VK_RETURN, 0xC0000001);
      } else if (ui::GetText(dialog) == L"Print") {
        ownerTopmost_.push_back((GetWindowLongW(GetWindow(dialog, GW_OWNER), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      } else {
        messages_.push_back(ui::GetText(GetDlgItem(dialog, 0xFFFF)));
        PostMessageW(dialog, WM_COMMAND, GetDlgItem(dialog, IDYES) ? IDYES : IDOK, 0);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  HHOOK hook_;
  static inline std::wstring path_;
  static inline std::set<HWND> seen_;
  static inline std::vector<std::wstring> initialNames_;
  static inline std::vector<std::wstring> messages_;
  static inline std::vector<bool> ownerTopmost_;
};

class TapeCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x7FFF};
    InitCommonControlsEx(&controls);
    main_ = CreateMainWindow(folder_.File());
    ASSERT_NE(main_, nullptr);
    Pump();
  }
  void TearDown() override {
    DestroyWindow(main_->Owner());
    Pump();
  }

  void Press(std::initializer_list<Key> keys) {
    for (Key key : keys) main_->CalculatorEngine().PressKey(key);
  }

  // Runs the menu command with its dialog answered by `path`.
  void RunWithPath(int menuId, const std::string& path) {
    DialogDriver driver(ui::ShownText(path));
    SendMessageW(main_->Owner(), WM_COMMAND, MAKEWPARAM(menuId, 0), 0);
    Pump();
    initialNames_ = DialogDriver::initialNames();
    messages_ = DialogDriver::messages();
  }

  std::string LastTapeFile() { return main_->Settings().Read(main_keys::kSection, main_keys::kLastTapeFile, ""); }

  TempFolder folder_;
  MainWindowContext* main_ = nullptr;
  std::vector<std::wstring> initialNames_;
  std::vector<std::wstring> messages_;
};

// Everything after the dated heading.
std::string AfterHeading(const std::string& file) { return file.substr(file.find("\r\n")); }

TEST_F(TapeCommandsTest, SavedTapeIsTheFileFormatAndLoadsBackAfterTheTapeThere) {
  Press({Key::D7, Key::Plus, Key::D2, Key::Minus, Key::Equals});
  const std::vector<std::string> lines = main_->TapeLines();
  ASSERT_FALSE(lines.empty());
  const Real lastTotal = main_->CalculatorEngine().state().lastTotal;
  const std::string display = main_->CalculatorHost().GetDisplayText();
  const std::string path = folder_.File("tape.txt");

  RunWithPath(IDM_SAVE_TAPE, path);
  ASSERT_EQ(initialNames_.size(), 1u);
  EXPECT_NE(initialNames_[0].find(L"TallixTape.txt"), std::wstring::npos) << "the default beside Tallix.ini";
  EXPECT_EQ(messages_, std::vector<std::wstring>{ui::ShownText("File was saved as: " + path)});
  EXPECT_EQ(LastTapeFile(), path);
  const std::string saved = ReadBytes(path);
  EXPECT_TRUE(saved.starts_with(std::string(30, ' ') + "Tape Report (")) << saved;
  EXPECT_EQ(AfterHeading(saved), AfterHeading(FormatTapeFile(lines, display, lastTotal, {})));

  main_->CalculatorHost().ClearTapeLines();
  main_->CalculatorHost().SetDisplayText("0");
  Press({Key::D1});
  RunWithPath(IDM_LOAD_TAPE, path);
  ASSERT_EQ(initialNames_.size(), 1u);
  EXPECT_NE(initialNames_[0].find(L"tape.txt"), std::wstring::npos) << "the file chosen last";
  EXPECT_TRUE(messages_.empty());
  std::vector<std::string> loaded = lines;
  loaded.push_back("");
  EXPECT_EQ(main_->TapeLines(), loaded);
  EXPECT_EQ(main_->CalculatorHost().GetDisplayText(), display);
  EXPECT_EQ(main_->CalculatorEngine().state().itemCount, 0);
}

// What the windows looked like at each timer tick during a long load.
struct LoadWatch {
  static inline HWND main = nullptr;
  static inline int ticks = 0, ticksWithProgress = 0, ticksWithMainEnabled = 0;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
    if (FindWindowW(L"FORM_TALLIX_PROGRESS_CLASS", nullptr)) ++ticksWithProgress;
    if (IsWindowEnabled(main)) ++ticksWithMainEnabled;
  }
};

TEST_F(TapeCommandsTest, ALongTapeLoadsInStepsBehindAProgressWindowThatTakesNoInput) {
  std::vector<std::string> lines;
  // Long enough to outlast the quiet quarter second on a fast machine.
  for (int i = 0; i < 1000000; ++i) lines.push_back(std::to_string(i) + " +");
  const std::string path = folder_.File("long.txt");
  ASSERT_TRUE(SaveTapeFile(path, lines, "12", 12, {}).ok);

  LoadWatch::main = main_->Owner();
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, LoadWatch::Tick);
  LoadTapeFrom(*main_, path);
  KillTimer(nullptr, timer);

  EXPECT_GT(LoadWatch::ticksWithProgress, 0) << LoadWatch::ticks << " ticks: messages were handled during the load";
  EXPECT_EQ(LoadWatch::ticksWithMainEnabled, 0) << "no key may add to the tape meanwhile";
  EXPECT_TRUE(IsWindowEnabled(main_->Owner()));
  EXPECT_EQ(FindWindowW(L"FORM_TALLIX_PROGRESS_CLASS", nullptr), nullptr);
  lines.push_back("");
  EXPECT_EQ(main_->TapeLines(), lines);
  EXPECT_EQ(main_->CalculatorHost().GetDisplayText(), "12");
}

TEST_F(TapeCommandsTest, FailuresSayWhyNameTheFileAndKeepTheOldOne) {
  Press({Key::D4, Key::Plus});
  const std::string path = folder_.File("pinned.txt");
  WriteBytes(path, "old tape\r\n");
  SetReadOnly(path, true);
  RunWithPath(IDM_SAVE_TAPE, path);
  ASSERT_FALSE(messages_.empty());
  const std::wstring failure = messages_.back();
  EXPECT_NE(failure.find(L"could not be saved"), std::wstring::npos) << failure;
  EXPECT_NE(failure.find(ui::ShownText(path)), std::wstring::npos) << failure;
  EXPECT_EQ(ReadBytes(path), "old tape\r\n");
  SetReadOnly(path, false);

  // A file another program holds open without sharing cannot be read.
  const std::vector<std::string> before = main_->TapeLines();
  const std::string locked = folder_.File("locked.txt");
  WriteBytes(locked, std::string(30, ' ') + "heading\r\n\r\n\r\n5 +\r\n");
  HANDLE holder = CreateFileW(file_io::WidePath(locked).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  RunWithPath(IDM_LOAD_TAPE, locked);
  CloseHandle(holder);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find(L"could not be loaded"), std::wstring::npos) << messages_[0];
  EXPECT_NE(messages_[0].find(ui::ShownText(locked)), std::wstring::npos) << messages_[0];
  EXPECT_EQ(main_->TapeLines(), before);
  EXPECT_EQ(LastTapeFile(), locked);
}

TEST_F(TapeCommandsTest, TopmostMainWindowStepsBackWhileThePrintDialogShowsAndCancelChangesNothing) {
  wchar_t printer[256] = {};
  DWORD length = 256;
  if (!GetDefaultPrinterW(printer, &length)) GTEST_SKIP() << "no printer to show the print dialog for";
  main_->SetAlwaysOnTop(true);
  const std::string settings = ReadBytes(folder_.File());
  RunWithPath(IDM_PRINT_TAPE, "");
  EXPECT_EQ(DialogDriver::ownerTopmost(), std::vector<bool>{false});
  EXPECT_TRUE(GetWindowLongW(main_->Owner(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(messages_.empty()) << "a cancelled print is no failure";
  EXPECT_EQ(ReadBytes(folder_.File()), settings);
}

TEST_F(TapeCommandsTest, ANoteTheTapeCannotKeepIsRefusedNamingItsCharactersAndTheBoxKeepsIt) {
  const std::wstring greek = L"Caf\u00e9 \u03b1\u4e2d";
  std::vector<std::wstring> refusals;
  bool keptOpen = false;
  gui_test::WithFormOpen(
      L"FORM_TALLIX_INPUTBOX_CLASS", [&] { SendMessageW(main_->Owner(), WM_COMMAND, MAKEWPARAM(IDM_ADD_NOTE, 0), 0); },
      [&](HWND box) {
        HWND field = FindWindowExW(box, nullptr, L"Edit", nullptr);
        const auto ok = [&] {
          SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        };
        DialogDriver driver(L"");
        ui::SetText(field, greek);
        ok();
        refusals = DialogDriver::messages();
        keptOpen = IsWindowVisible(box) && ui::GetText(field) == greek;
        ui::SetText(field, L"Caf\u00e9");
        ok();
      });
  ASSERT_EQ(refusals.size(), 1u);
  EXPECT_EQ(refusals[0], ui::ShownText(NoteRefusal(file_io::Utf8FromWide(greek))));
  EXPECT_NE(refusals[0].find(L"\u03b1"), std::wstring::npos);
  EXPECT_TRUE(keptOpen);
  EXPECT_EQ(main_->TapeLines(), std::vector<std::string>{"\"Caf\xE9\""});
}

}  // namespace
}  // namespace tallix
