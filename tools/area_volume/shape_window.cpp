// Both calculators are one form over their ShapeKind: the volume window has a
// third side and the example, the area window neither.
#include "tools/area_volume/shape_window.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "side_window/wide_text.h"
#include "tools/area_volume/shape_calculation.h"
#include "tools/area_volume/shape_settings.h"
#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/form.h"
#include "ui/scaling.h"

namespace tallix {
namespace {

using shapes::ShapeKind;
using shapes::UnitSystem;

constexpr wchar_t kFont[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kExampleFont[] = L"Tahoma,-9,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kExample[] = L"-Example-\r\nA 10' x 10' x 4\" area would require 1.24 Cu.Yards Of concrete.";

// Rows 0..2 are the sides, row 3 the result: label, field and unit list each.
constexpr int kResultRow = shapes::kMaxSides;
constexpr int LabelId(int row) { return 1000 + row; }
constexpr int FieldId(int row) { return 1010 + row; }
constexpr int UnitListId(int row) { return 1020 + row; }
enum Control : int { kFrame = 1030, kStandard, kMetric, kCalculate, kClear, kExampleLabel };

constexpr int kRowHeight = 28;
constexpr int kLeft = 10, kFieldX = 75, kListX = 192, kClientWidth = 322;

struct WindowFacts {
  const wchar_t* name;
  const wchar_t* caption;
  const ShapeKind& kind;
  bool showsExample;
};

class ShapeForm final : public ui::FormDefinition {
 public:
  ShapeForm(SideWindowContext& main, const WindowFacts& facts) : main_(main), kind_(facts.kind) {
    name = facts.name;
    caption = facts.caption;
    style |= WS_MINIMIZEBOX;
    const int rows = kind_.sideCount + 1;
    labels_.reserve(static_cast<std::size_t>(rows));  // never moved: the rows point into them
    for (int row = 0; row < rows; ++row) {
      const int field = row < kind_.sideCount ? row : kResultRow;
      const int y = 12 + row * kRowHeight + (field == kResultRow ? 8 : 0);
      const std::wstring& label = labels_.emplace_back(
          Wide(field == kResultRow ? kind_.resultLabel : shapes::kSideNames[static_cast<std::size_t>(row)]));
      controls.push_back(ui::Static(LabelId(field), label.c_str(), {kLeft, y + 2, 60, 16}, kFont));
      controls.push_back(ui::Edit(FieldId(field), L"", {kFieldX, y, 110, 20}, kFont));
      controls.push_back(ui::Named(ui::DropDown(UnitListId(field), {kListX, y, 120, 110}, kFont), label + L" Unit"));
      Bind(WM_COMMAND, FieldId(field), EN_KILLFOCUS, [this, field](const ui::ControlEvent&) -> LRESULT {
        Reformat(field);
        return 0;
      });
    }
    const int frameY = 12 + rows * kRowHeight + 14;
    const int buttonsY = frameY + 56;
    controls.push_back(ui::OptionButton(kStandard, L"Standard", {kLeft + 10, frameY + 18, 80, 18}, kFont, true));
    controls.push_back(ui::OptionButton(kMetric, L"Metric", {kLeft + 100, frameY + 18, 70, 18}, kFont, false));
    // Ends the option buttons' group.
    controls.push_back(ui::StartsGroup(ui::GroupBox(kFrame, L"Units", {kLeft, frameY, 180, 46}, kFont)));
    controls.push_back(ui::PushButton(kCalculate, L"Calculate", {kLeft, buttonsY, 96, 26}, kFont, true));
    controls.push_back(ui::PushButton(kClear, L"Clear", {kLeft + 106, buttonsY, 96, 26}, kFont));
    controls.push_back(ui::PushButton(IDCANCEL, L"Close", {kLeft + 212, buttonsY, 96, 26}, kFont));
    int clientHeight = buttonsY + 38;
    if (facts.showsExample) {
      controls.push_back(
          ui::Static(kExampleLabel, kExample, {kLeft, clientHeight, kClientWidth - 2 * kLeft, 30}, kExampleFont));
      clientHeight += 38;
    }
    // In design pixels, framed as at 96 DPI: the framework scales the client area.
    const SIZE outer = ui::OuterOfClient({kClientWidth, clientHeight}, style, exStyle, false, ui::kDesignDpi);
    width = outer.cx;
    height = outer.cy;

    OnClick(kStandard, [this] { SwitchSystem(); });
    OnClick(kMetric, [this] { SwitchSystem(); });
    OnClick(kCalculate, [this] { Calculate(); });
    OnClick(kClear, [this] { Clear(); });
    OnClick(IDCANCEL, [this] { ui::CloseForm(window, 0); });
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    const shapes::StoredShape stored = shapes::ReadShapeSettings(main_.Settings(), kind_);
    for (int side = 0; side < kind_.sideCount; ++side) SetField(side, stored.sides[Index(side)]);
    SetField(kResultRow, stored.result);
    ui::SetChecked(Item(stored.metric ? kMetric : kStandard), true);
    SwitchSystem();
    for (int side = 0; side < kind_.sideCount; ++side) {
      if (stored.sideUnits[Index(side)]) ui::ComboSelect(Item(UnitListId(side)), *stored.sideUnits[Index(side)]);
    }
    if (stored.resultUnit) ui::ComboSelect(Item(UnitListId(kResultRow)), *stored.resultUnit);
    return 0;
  }

 private:
  static std::size_t Index(int row) { return static_cast<std::size_t>(row); }
  HWND Item(int id) const { return GetDlgItem(window, id); }
  std::string Field(int row) const { return Cp1252FromWide(ui::GetText(Item(FieldId(row)))); }
  void SetField(int row, std::string_view text) { ui::SetText(Item(FieldId(row)), Wide(text)); }
  void FocusLength() { ui::FocusControl(Item(FieldId(0))); }
  UnitSystem CheckedSystem() const {
    return ui::IsChecked(Item(kMetric)) ? UnitSystem::kMetric : UnitSystem::kStandard;
  }

  template <class Each>
  void ForEachUnitList(Each each) {
    for (int side = 0; side < kind_.sideCount; ++side) each(Item(UnitListId(side)), shapes::SideUnits(CheckedSystem()));
    each(Item(UnitListId(kResultRow)), kind_.resultUnits[static_cast<std::size_t>(CheckedSystem())]);
  }

  void Reformat(int row) { SetField(row, shapes::ReformatField(Field(row))); }

  // The lists take the checked system's units at the positions they had; a
  // list without a choice takes position 1.
  void SwitchSystem() {
    ForEachUnitList([](HWND list, const shapes::UnitList& units) {
      const int position = ui::ComboSelection(list);
      ui::ComboClear(list);
      for (const shapes::ShapeUnit& unit : units) ui::ComboAdd(list, Wide(unit.name));
      ui::ComboSelect(list, position < 0 ? 1 : position);
    });
    shapes::WriteShapeSystem(main_.Settings(), kind_, CheckedSystem());
    FocusLength();
  }

  void Calculate() {
    // Leaving the focused field re-formats it before it is read.
    ui::FocusControl(Item(kCalculate));
    shapes::ShapeFields fields;
    fields.system = CheckedSystem();
    for (int side = 0; side < kind_.sideCount; ++side) {
      fields.sides[Index(side)] = Field(side);
      fields.sideUnits[Index(side)] = ui::ComboSelection(Item(UnitListId(side)));
    }
    fields.resultUnit = ui::ComboSelection(Item(UnitListId(kResultRow)));
    if (const auto result = shapes::CalculateResult(kind_, fields)) {
      SetField(kResultRow, *result);
      shapes::AppendCalculationTape(main_.CalculatorEngine(), kind_, fields, *result);
      shapes::WriteShapeSettings(main_.Settings(), kind_, fields, *result);
    }
    FocusLength();
  }

  void Clear() {
    for (int side = 0; side < kind_.sideCount; ++side) SetField(side, "");
    SetField(kResultRow, "");
    ClearSection(main_.Settings(), kind_.section);
    ForEachUnitList([](HWND list, const shapes::UnitList&) { ui::ComboSelect(list, 1); });
    shapes::WriteShapeSystem(main_.Settings(), kind_, CheckedSystem());
    FocusLength();
  }

  SideWindowContext& main_;
  const ShapeKind& kind_;
  std::vector<std::wstring> labels_;
};

void OpenWindow(SideWindowContext& main, const WindowFacts& facts) {
  std::unique_ptr<ui::FormDefinition>& kept = main.SideForm(facts.name);
  if (!kept) kept = std::make_unique<ShapeForm>(main, facts);
  ui::ShowOrFocusForm(*kept, main.Owner());
}

}  // namespace

void OpenAreaWindow(SideWindowContext& main) {
  OpenWindow(main, {L"FORM6", L"Area Calculator", shapes::AreaKind(), false});
}

void OpenVolumeWindow(SideWindowContext& main) {
  OpenWindow(main, {L"FORM5", L"Volume Calculator", shapes::VolumeKind(), true});
}

}  // namespace tallix
