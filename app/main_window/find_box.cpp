#include "app/main_window/find_box.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/tape/tape_csv.h"
#include "app/tape/tape_find.h"
#include "engine/engine_state.h"
#include "engine/keyboard_shortcut.h"
#include "side_window/wide_text.h"
#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/form.h"
#include "ui/placement.h"
#include "ui/scaling.h"
#include "ui/screen_reader_notice.h"

namespace tallix {
namespace {

constexpr wchar_t kFormName[] = L"FINDBOX";
constexpr wchar_t kFont[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
enum Control : int { kLabel = 1000, kText, kStatus, kNext, kPrevious };

class FindBoxForm final : public ui::FormDefinition {
 public:
  explicit FindBoxForm(MainWindowContext& main) : main_(main) {
    name = kFormName;
    caption = L"Find";
    controls = {
        ui::Static(kLabel, L"Find what:", {10, 13, 68, 16}, kFont),
        ui::Edit(kText, L"", {80, 10, 180, 21}, kFont),
        // What came of the last search: two lines of it.
        ui::Static(kStatus, L"", {10, 40, 250, 32}, kFont),
        ui::PushButton(kNext, L"Find &Next", {270, 8, 100, 24}, kFont, true),
        ui::PushButton(kPrevious, L"Find &Previous", {270, 38, 100, 24}, kFont),
        ui::PushButton(IDCANCEL, L"Close", {270, 68, 100, 24}, kFont),
    };
    // In design pixels, framed as at 96 DPI: the framework scales the client area.
    const SIZE outer = ui::OuterOfClient({380, 102}, style, exStyle, false, ui::kDesignDpi);
    width = outer.cx;
    height = outer.cy;
    OnClick(kNext, [this] { Find(true); });
    OnClick(kPrevious, [this] { Find(false); });
    OnClick(IDCANCEL, [this] { ui::CloseForm(window, 0); });
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    ui::SetText(GetDlgItem(form, kText), Wide(typed_));
    FocusText();
    return 0;
  }

  // F3 and Shift+F3 find here as on the main window, Ctrl+F goes back to the text.
  LRESULT OnKeyPreview(HWND, const MSG& message) override {
    if (message.message != WM_KEYDOWN) return 0;
    const std::optional<MenuCommand> command = CommandRunBy(static_cast<int>(message.wParam), GetKeyState(VK_SHIFT) < 0,
                                                            display_mode::kFloating, GetKeyState(VK_CONTROL) < 0);
    if (command == MenuCommand::FindNext || command == MenuCommand::FindPrevious) {
      Find(command == MenuCommand::FindNext);
      return 1;
    }
    if (command != MenuCommand::Find) return 0;
    FocusText();
    return 1;
  }

  bool OnMessage(HWND form, UINT message, WPARAM, LPARAM, LRESULT&) override {
    if (message == WM_DESTROY) {
      typed_ = Cp1252FromWide(ui::GetText(GetDlgItem(form, kText)));
      if (IsWindow(main_.Owner())) main_.MarkTapeLine(std::nullopt, L"");
    }
    return false;
  }

  void FocusText() {
    HWND text = GetDlgItem(window, kText);
    ui::FocusControl(text);
    SendMessageW(text, EM_SETSEL, 0, -1);
  }

  void Find(bool down) {
    typed_ = Cp1252FromWide(ui::GetText(GetDlgItem(window, kText)));
    const std::vector<std::string>& lines = main_.KeptTapeLines();
    const std::optional<TapeFound> found =
        FindOnTape(lines, TapeStartRadix(main_.CalculatorEngine()), TapeQuery(typed_), main_.MarkedTapeLine(), down);
    const FindOutcome outcome = DescribeFind(typed_, found, lines, down);
    HWND status = GetDlgItem(window, kStatus);
    ui::SetText(status, Wide(outcome.status));
    if (found) {
      main_.MarkTapeLine(found->line, Wide(outcome.spoken));
    } else {
      ui::AnnounceText(status, Wide(outcome.spoken), L"TapeFind");
    }
  }

 private:
  MainWindowContext& main_;
  std::string typed_;  // Windows-1252
};

FindBoxForm& Box(MainWindowContext& main) {
  std::unique_ptr<ui::FormDefinition>& kept = main.SideForm(kFormName);
  if (!kept) kept = std::make_unique<FindBoxForm>(main);
  return static_cast<FindBoxForm&>(*kept);
}

}  // namespace

void OpenFindBox(MainWindowContext& main) {
  FindBoxForm& box = Box(main);
  const bool open = box.window != nullptr;
  ui::ShowOrFocusForm(box, main.Owner());
  if (open) return box.FocusText();
  // Under the main window rather than over its tape, where the screen has room.
  RECT owner{};
  if (box.window && GetWindowRect(main.Owner(), &owner)) {
    SetWindowPos(box.window, nullptr, owner.left, owner.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ui::KeepOnItsMonitor(box.window);
  }
}

void FindOnTapeAgain(MainWindowContext& main, bool down) {
  if (IsFindBoxOpen(main)) Box(main).Find(down);
}

bool IsFindBoxOpen(MainWindowContext& main) {
  const std::unique_ptr<ui::FormDefinition>& kept = main.SideForm(kFormName);
  return kept && kept->window;
}

}  // namespace tallix
