// The controls of a form: made from the rows of its table, and set up with
// their properties (font, colours, subclass) for the framework.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "ui/accessible_name.h"
#include "ui/fire_lines.h"
#include "ui/font_spec.h"
#include "ui/form_parts.h"
#include "ui/window_kit.h"
#include "ui/xp_button.h"

namespace tallix::ui {
namespace {

HWND CreateDeclaredControl(HWND form, const ControlSpec& spec, int dpi) {
  const DWORD style = spec.style | WS_CHILD | (spec.hidden ? 0 : WS_VISIBLE);
  if (spec.className && lstrcmpiW(spec.className, kXPButtonClass) == 0) RegisterXPButtonClass();
  if (spec.className && lstrcmpiW(spec.className, kFireLinesClass) == 0) RegisterFireLinesClass();
  return CreateChild(spec.className, form, spec.id, spec.text, ScaleToDpi(spec.x, dpi), ScaleToDpi(spec.y, dpi),
                     ScaleToDpi(spec.width, dpi), ScaleToDpi(spec.height, dpi), style, spec.exStyle);
}

bool IsIconStatic(const ControlSpec& spec) {
  return (spec.style & SS_TYPEMASK) == SS_ICON && spec.className && lstrcmpiW(spec.className, L"STATIC") == 0 &&
         spec.text && *spec.text;
}

bool IsTextLabel(const ControlSpec& spec) {
  return spec.className && lstrcmpiW(spec.className, L"STATIC") == 0 && !IsIconStatic(spec) && spec.text && *spec.text;
}

// The row's own name, or for a field the label the row before it is.
std::wstring AccessibleNameOfRow(const std::vector<ControlSpec>& rows, std::size_t index) {
  const ControlSpec& spec = rows[index];
  if (!spec.accessibleName.empty()) return spec.accessibleName;
  if (index == 0 || !IsLabelledClass(spec.className) || !IsTextLabel(rows[index - 1])) return {};
  return NameFromLabel(rows[index - 1].text);
}

HBRUSH BackgroundBrush(const ControlColors& colors) {
  return colors.backSource == ColorSource::kSystem ? GetSysColorBrush(static_cast<int>(colors.back))
                                                   : CreateSolidBrush(colors.back);
}

ColorSource SourceOf(bool isSystemIndex) { return isSystemIndex ? ColorSource::kSystem : ColorSource::kRgb; }

}  // namespace

void ShowIconForDpi(HWND control, ControlState& state, int dpi) {
  HICON icon = LoadIconOfSize(state.iconName, ScaleToDpi(32, dpi));
  if (!icon) return;
  SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (state.icon) DestroyIcon(state.icon);
  state.icon = icon;
}

void CreateFormControls(HWND form, FormDefinition& definition, int dpi) {
  const std::vector<ControlSpec>& rows = definition.controls;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const ControlSpec& spec = rows[index];
    HWND control = CreateDeclaredControl(form, spec, dpi);
    if (!control) continue;
    SetAccessibleName(control, AccessibleNameOfRow(rows, index), spec.accessibleShortcut);
    if (SetControlProperties(control, spec.properties)) {
      ControlState& state = *ControlStateOf(control);
      state.designPlace = Place{spec.x, spec.y, spec.width, spec.height};
      state.finish = spec.finish;
      if (IsIconStatic(spec)) {
        state.iconName = spec.text;
        ShowIconForDpi(control, state, dpi);
      }
    }
    if (spec.finish) spec.finish(control);
    SetTagProperty(control, L"");
    SetTagProperty2(control, L"");
  }
}

bool SetControlProperties(HWND control, const ControlProperties& properties) {
  if (!IsWindow(control)) return false;
  ControlState* state = ControlStateOf(control);
  if (!state && !(state = MakeControlState(control))) return false;
  state->control = control;
  if (properties.subclass && properties.subclassProc && !state->previousProc)
    InstallControlSubclass(control, *state, properties.subclassProc);
  if (properties.fontSpec && *properties.fontSpec) {
    state->fontSpec = properties.fontSpec;
    state->font = FontFromSpec(properties.fontSpec, DpiOf(control));
    if (state->font) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), TRUE);
      if (HasClass(control, DATETIMEPICK_CLASSW))
        SendMessageW(control, DTM_SETMCFONT, reinterpret_cast<WPARAM>(state->font), TRUE);
    }
  }
  state->value = properties.value;
  state->selectAllOnFocus = properties.selectAllOnFocus;
  state->colors.reset();
  if (properties.ownColors) {
    const ControlColors colors{properties.textColor, properties.backColor, SourceOf(properties.textIsSystem),
                               SourceOf(properties.backIsSystem)};
    state->colors = colors;
    HBRUSH brush = properties.brush == kMakeBrush ? BackgroundBrush(colors) : properties.brush;
    if (state->brush && state->brush != brush) DeleteObject(state->brush);
    state->brush = brush;
  }
  return true;
}

}  // namespace tallix::ui
