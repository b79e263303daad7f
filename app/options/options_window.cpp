#include "app/options/options_window.h"

#include <windows.h>

#include "app/options/options_choice.h"
#include "side_window/wide_text.h"
#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/form.h"

namespace tallix {
namespace {

constexpr wchar_t kSansSerif[] = L"MS Sans Serif,-11,0,0,0,400,0,0,0,0,1,2,1,34";
constexpr wchar_t kTahoma12[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kLineFont[] = L"Tahoma,-11,0,0,0,400,0,0,0,1,0,0,0,0";

enum Control : int {
  kStandard = 1000,
  kAddingMachine = 1001,
  kTaxLabel = 1002,
  kLine = 1003,
  kTaxEdit = 1004,
  kLaptopKeys = 1005,
  kTopMost = 1006,
  kModeGroup = 1007,
  kRoundDown = 1008,
  kRoundFiveFour = 1009,
  kRoundUp = 1010,
  kRoundingGroup = 1011,
  kGrandTotal = 1012,
};

struct RoundingButton {
  int id;
  RoundingRule rule;
};
constexpr RoundingButton kRoundingButtons[] = {{kRoundDown, RoundingRule::kTowardZero},
                                               {kRoundFiveFour, RoundingRule::kHalfEven},
                                               {kRoundUp, RoundingRule::kAwayFromZero}};

ui::ControlSpec Multiline(ui::ControlSpec row) {
  row.style |= BS_MULTILINE;
  return row;
}

class OptionsForm final : public ui::FormDefinition {
 public:
  explicit OptionsForm(MainWindowContext& main) : main_(main) {
    name = L"FORM2";
    caption = L"Tallix Options";
    width = 365;
    height = 228;
    // In the order Tab takes them, row by row: the calculator mode and the
    // rounding, the tax rate and the grand total, the two long check boxes.
    controls = {
        ui::OptionButton(kStandard, L"Standard Calculator", {8, 28, 125, 16}, kSansSerif, true),
        ui::OptionButton(kAddingMachine, L"Adding Machine", {8, 46, 124, 16}, kSansSerif, false),
        // A group of its own, which ends the mode's.
        ui::Named(ui::OptionButton(kRoundDown, L"Down", {168, 35, 56, 16}, kSansSerif, true),
                  L"Round down, towards zero"),
        ui::Named(ui::OptionButton(kRoundFiveFour, L"5/4", {232, 35, 48, 16}, kSansSerif, false),
                  L"Round 5/4, to nearest"),
        ui::Named(ui::OptionButton(kRoundUp, L"Up", {288, 35, 48, 16}, kSansSerif, false), L"Round up, away from zero"),
        // Ends the rounding buttons' group.
        ui::StartsGroup(ui::Static(kTaxLabel, L"Tax Rate (%)", {8, 76, 80, 16}, kTahoma12)),
        ui::SunkenLine(kLine, {8, 152, 340, 2}, kLineFont),
        ui::Named(ui::Edit(kTaxEdit, L"", {88, 76, 44, 16}, kTahoma12), L"Tax Rate (%)"),
        ui::CheckBox(kGrandTotal, L"Grand Total (adds every result)", {168, 76, 176, 16}, kSansSerif),
        Multiline(ui::CheckBox(kLaptopKeys, L"Laptop 10 Key Support (No need for your Num Locks to be on)",
                               {8, 104, 333, 15}, kSansSerif)),
        Multiline(ui::CheckBox(kTopMost, L"Always on Top (Tallix is always on top of all other windows)",
                               {8, 126, 333, 15}, kSansSerif)),
        ui::PushButton(IDOK, L"Ok", {188, 160, 68, 28}, kTahoma12, true),
        ui::PushButton(IDCANCEL, L"Cancel", {268, 160, 68, 28}, kTahoma12),
        ui::GroupBox(kModeGroup, L"Calculator Mode", {4, 11, 147, 56}, kSansSerif),
        ui::GroupBox(kRoundingGroup, L"Rounding", {160, 11, 188, 56}, kSansSerif),
    };
    OnClick(IDOK, [this] {
      Apply(StoreOptions(main_.Settings(), Choice()));
      ui::CloseForm(window, IDOK);
    });
    OnClick(IDCANCEL, [this] { ui::CloseForm(window, IDCANCEL); });
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    const OptionsChoice current = CurrentOptions(main_.CalculatorEngine().state(), main_.IsAlwaysOnTop());
    ui::SetChecked(GetDlgItem(form, kLaptopKeys), current.laptopKeys);
    ui::SetChecked(GetDlgItem(form, kTopMost), current.topMost);
    ui::SetChecked(GetDlgItem(form, kGrandTotal), current.grandTotal);
    ui::SetChecked(GetDlgItem(form, current.addingMachine ? kAddingMachine : kStandard), true);
    for (const RoundingButton& button : kRoundingButtons)
      ui::SetChecked(GetDlgItem(form, button.id), button.rule == current.rounding);
    SetWindowTextW(GetDlgItem(form, kTaxEdit), Wide(current.taxText).c_str());
    return 0;
  }

 private:
  bool Checked(int id) const { return ui::IsChecked(GetDlgItem(window, id)) != 0; }

  OptionsChoice Choice() const {
    OptionsChoice choice{Checked(kAddingMachine), Cp1252FromWide(ui::GetText(GetDlgItem(window, kTaxEdit))),
                         Checked(kLaptopKeys), Checked(kTopMost)};
    choice.grandTotal = Checked(kGrandTotal);
    for (const RoundingButton& button : kRoundingButtons)
      if (Checked(button.id)) choice.rounding = button.rule;
    return choice;
  }

  void Apply(const AppliedOptions& options) {
    Engine& engine = main_.CalculatorEngine();
    engine.SetTaxRate(options.taxRate);
    engine.SetLaptopKeys(options.laptopKeys);
    engine.SetRounding(options.rounding);
    engine.SetGrandTotal(options.grandTotal);
    main_.ShowLaptopLabel(options.laptopKeys);
    main_.SetAlwaysOnTop(options.topMost);
    engine.SetCalcMode(options.calcMode);
  }

  MainWindowContext& main_;
};

}  // namespace

void ShowOptions(MainWindowContext& main) {
  OptionsForm form(main);
  ui::ShowForm(form, main.Owner(), /*modal=*/true);
}

}  // namespace tallix
