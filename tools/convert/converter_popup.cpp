#include "tools/convert/converter_popup.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <windowsx.h>

#include <memory>
#include <string>

#include "side_window/wide_text.h"
#include "tools/convert/conversion.h"
#include "tools/convert/unit_catalog.h"
#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/form.h"
#include "ui/form_state.h"
#include "ui/scaling.h"

namespace tallix {
namespace {

constexpr wchar_t kTreeFont[] = L"Tahoma,-11,0,0,0,400,0,0,0,1,0,0,0,0";
constexpr int kTree = 1000;
constexpr int kTreeWidth = 170, kTreeHeight = 270;
// Between the "Cnv" key's right edge and the popup.
constexpr int kGapToKey = 2;

class ConverterPopup final : public ui::FormDefinition {
 public:
  ConverterPopup(SideWindowContext& main, HWND cnvKey) : main_(main), cnvKey_(cnvKey) {
    name = L"FORM7";
    style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN;
    exStyle = WS_EX_TOOLWINDOW;
    controls = {ui::Named(ui::TreeView(kTree, {0, 0, kTreeWidth, kTreeHeight}, kTreeFont), L"Conversions")};
    // A click converts at once. The arrow keys only move through the units,
    // so that looking for one writes nothing; Enter converts the one chosen
    // and Esc closes the popup unconverted.
    Bind(WM_NOTIFY, kTree, TVN_SELCHANGEDW, [this](const ui::ControlEvent& event) -> LRESULT {
      const auto* change = reinterpret_cast<const NMTREEVIEWW*>(event.lParam);
      if (change->action != TVC_BYKEYBOARD) Convert(change->itemNew.hItem);
      return 0;
    });
    // A click on the unit the arrow keys chose changes no selection.
    Bind(WM_NOTIFY, kTree, NM_CLICK, [this](const ui::ControlEvent&) -> LRESULT {
      HWND tree = GetDlgItem(window, kTree);
      const DWORD at = GetMessagePos();
      TVHITTESTINFO hit{};
      hit.pt = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
      ScreenToClient(tree, &hit.pt);
      HTREEITEM item = TreeView_HitTest(tree, &hit);
      if (item && (hit.flags & TVHT_ONITEM) && item == TreeView_GetSelection(tree)) Convert(item);
      return 0;
    });
    // Enter and Esc reach the popup as the dialog keys IDOK and IDCANCEL.
    OnClick(IDOK, [this] { Convert(TreeView_GetSelection(GetDlgItem(window, kTree))); });
    OnClick(IDCANCEL, [this] { Close(); });
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    RECT key{};
    GetWindowRect(cnvKey_, &key);
    SetWindowPos(form, nullptr, key.right + ui::Scaled(form, kGapToKey), key.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ui::SetFormClientSize(form, kTreeWidth, kTreeHeight);

    valueText_ = convert::ValueText(main_.CalculatorHost().GetDisplayText());
    HWND tree = GetDlgItem(form, kTree);
    ui::TreeViewInsertItem(tree, TVI_ROOT, L"Convert from " + Wide(valueText_), 0);
    for (int number = 1; number <= convert::kCategoryCount; ++number) {
      const convert::Category& category = convert::CategoryAt(number);
      HTREEITEM parent = ui::TreeViewInsertItem(tree, TVI_ROOT, Wide(category.name), 0);
      for (std::size_t unit = 0; unit < category.units.size(); ++unit) {
        ui::TreeViewInsertItem(tree, parent, Wide(category.units[unit]),
                               static_cast<LPARAM>(convert::ItemData(number, static_cast<int>(unit))));
      }
    }
    // Where the form puts the focus when it is activated.
    ui::FormStateOf(form)->lastFocus = tree;
    return 0;
  }

  // Leaving the popup once it has been active closes it unconverted.
  bool OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
    if (message != WM_ACTIVATE) return false;
    if (LOWORD(wParam) != WA_INACTIVE) {
      activated_ = true;
    } else if (activated_) {
      activated_ = false;
      closing_ = true;
      // Posted: the window is still inside its own activation change.
      PostMessageW(form, WM_CLOSE, 0, 0);
    }
    return false;
  }

 private:
  void Close() {
    activated_ = false;
    closing_ = true;
    ui::CloseForm(window, IDCANCEL);
  }

  void Convert(HTREEITEM item) {
    HWND tree = GetDlgItem(window, kTree);
    // Top-level items (the value's own line and the categories) only label.
    if (!item || closing_ || !TreeView_GetParent(tree, item)) return;
    wchar_t text[128] = {};
    TVITEMW unit{};
    unit.mask = TVIF_TEXT | TVIF_PARAM;
    unit.hItem = item;
    unit.pszText = text;
    unit.cchTextMax = static_cast<int>(std::size(text));
    if (!TreeView_GetItem(tree, &unit)) return;
    // Set first: closing deactivates the popup and empties its tree, which
    // must neither close it twice nor convert again.
    activated_ = false;
    closing_ = true;
    convert::WriteConversion(main_.CalculatorEngine(), main_.CalculatorHost(), valueText_, Cp1252FromWide(text),
                             static_cast<std::uint32_t>(unit.lParam));
    ui::CloseForm(window, IDOK);
  }

  SideWindowContext& main_;
  HWND cnvKey_;
  std::string valueText_;
  bool activated_ = false;
  bool closing_ = false;
};

}  // namespace

// Modeless, so that a click on the main window takes the activation away
// and closes it, as a click anywhere else does.
void ShowConverter(SideWindowContext& main, HWND cnvKey) {
  std::unique_ptr<ui::FormDefinition>& popup = main.SideForm(L"FORM7");
  if (popup && IsWindow(popup->window)) DestroyWindow(popup->window);
  popup = std::make_unique<ConverterPopup>(main, cnvKey);
  ui::ShowForm(*popup, main.Owner(), /*modal=*/false);
}

}  // namespace tallix
