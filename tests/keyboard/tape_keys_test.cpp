// Copy Tape and Find on the main window, driven by real key strokes: the
// clipboard's two forms of the tape, and the find box finding, going round
// the tape's ends, marking the line and telling a screen reader of it.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/tape/tape_csv.h"
#include "app/tape/tape_file.h"
#include "resources/resource_ids.h"
#include "side_window/wide_text.h"
#include "tests/keyboard/key_strokes.h"
#include "tests/keyboard/test_main_window.h"
#include "ui/control_helpers.h"
#include "ui/screen_reader_notice.h"

namespace tallix {
namespace {

using key_strokes::Press;
using key_strokes::Pump;
using key_strokes::PumpUntil;

class TapeKeysTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(main_.Open("tallix-tape-keys"), nullptr);
    SetForegroundWindow(Owner());
    PumpUntil([] { return GetForegroundWindow() == Owner(); });
    SetFocus(GetDlgItem(Owner(), ids::kKeySink));
    Pump();
  }
  void TearDown() override { main_.Close(); }
  static HWND Owner() { return main_->Owner(); }

  // Typed on the keyboard: digits, ".", "+" and Enter for "=".
  static void Type(std::string_view keys) {
    for (const char key : keys) {
      Press(key == '.' ? VK_OEM_PERIOD : key == '+' ? VK_ADD : key == '=' ? VK_RETURN : static_cast<WORD>(key));
    }
  }

  static inline key_strokes::TestMainWindow main_;
};

std::string ClipboardBytes(UINT format) {
  std::string bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  if (HANDLE data = GetClipboardData(format)) {
    if (const char* block = static_cast<const char*>(GlobalLock(data))) {
      bytes.assign(block, strnlen(block, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return bytes;
}

std::wstring FromAnsi(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), text.size())));
  return text;
}

TEST_F(TapeKeysTest, CopyTapePutsTheTapeOnTheClipboardAsTextAndAsColumns) {
  Type("1234.5+7+=");
  const std::vector<std::string> tape = main_->TapeLines();
  ASSERT_FALSE(tape.empty());
  const UINT csv = RegisterClipboardFormatW(L"Csv");
  Press('C', VK_CONTROL, VK_SHIFT);
  ASSERT_TRUE(PumpUntil([csv] { return IsClipboardFormatAvailable(csv) != FALSE; }));
  EXPECT_EQ(main_->TapeLines(), tape) << "Copy Tape writes no line";
  EXPECT_EQ(ui::GetClipboardText(Owner()), Wide(FormatTapeLines(tape)));
  EXPECT_EQ(FromAnsi(ClipboardBytes(csv)), Wide(TapeCsvRows(tape, 10)));
}

std::vector<std::wstring>* heard = nullptr;
HRESULT WINAPI Hear(IRawElementProviderSimple*, int, int, BSTR text, BSTR) {
  heard->emplace_back(text, SysStringLen(text));
  return S_OK;
}

TEST_F(TapeKeysTest, FindMarksTheLineOfATextOrNumberAndGoesRoundTheEnds) {
  Type("1234.5+7+1234.5+=");
  const std::size_t lines = main_->TapeLines().size();
  std::vector<std::wstring> said;
  heard = &said;
  ui::SetNotificationRaiser(Hear);

  Press('F', VK_CONTROL);
  HWND box = FindWindowW(L"FORM_TALLIX_FINDBOX_CLASS", nullptr);
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(GetParent(GetFocus()), box) << "the box's text has the focus";
  HWND status = GetDlgItem(box, 1002);
  Type("1234.50");
  Press(VK_RETURN);
  EXPECT_EQ(main_->MarkedTapeLine(), 0u);
  ASSERT_FALSE(said.empty());
  EXPECT_NE(said.back().find(L"1,234.5"), std::wstring::npos) << "a screen reader hears the line";
  Press(VK_F3);
  EXPECT_EQ(main_->MarkedTapeLine(), 2u);
  Press(VK_F3);
  EXPECT_EQ(main_->MarkedTapeLine(), 0u);
  EXPECT_NE(ui::GetText(status).find(L"end"), std::wstring::npos) << "round the end, and said so";
  Press(VK_F3, VK_SHIFT);
  EXPECT_EQ(main_->MarkedTapeLine(), 2u);

  // On the main window F3 finds too while the box is open.
  SetForegroundWindow(Owner());
  PumpUntil([] { return GetForegroundWindow() == Owner(); });
  SetFocus(GetDlgItem(Owner(), ids::kKeySink));
  Press(VK_F3);
  PumpUntil([] { return main_->MarkedTapeLine() == 0u; });
  EXPECT_EQ(main_->MarkedTapeLine(), 0u);

  // Nothing found is said in the box; the mark stays.
  Press('F', VK_CONTROL);
  Type("99");
  Press(VK_RETURN);
  EXPECT_NE(ui::GetText(status).find(L"not on the tape"), std::wstring::npos);
  EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr) << "no message box";
  EXPECT_EQ(main_->MarkedTapeLine(), 0u);
  EXPECT_EQ(main_->TapeLines().size(), lines) << "Find writes no line";

  // Esc closes the box and takes the mark away; F3 is the area calculator's again.
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(box));
  EXPECT_FALSE(main_->MarkedTapeLine());
  ui::SetNotificationRaiser(nullptr);
  SetFocus(GetDlgItem(Owner(), ids::kKeySink));
  Press(VK_F3);
  HWND area = nullptr;
  EXPECT_TRUE(PumpUntil([&] { return (area = FindWindowW(L"FORM_TALLIX_FORM6_CLASS", nullptr)) != nullptr; }));
  if (area) DestroyWindow(area);
}

}  // namespace
}  // namespace tallix
