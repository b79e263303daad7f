#include "ui/control_presets.h"

#include <commctrl.h>

#include <utility>

#include "ui/exports.h"
#include "ui/fire_lines.h"
#include "ui/xp_button.h"

namespace tallix::ui {
namespace {

ControlSpec Row(int id, const wchar_t* className, const wchar_t* text, Place place, const wchar_t* fontSpec,
                DWORD style, DWORD exStyle = 0) {
  return {.id = id,
          .className = className,
          .text = text,
          .x = place.x,
          .y = place.y,
          .width = place.width,
          .height = place.height,
          .style = style,
          .exStyle = exStyle,
          .properties = {.fontSpec = fontSpec}};
}

void MakeToggle(HWND key) { TB_XPBUTTON_SETTOGGLEMODE(key, 1, FALSE); }

}  // namespace

ControlSpec KeyButton(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec) {
  // Transparent: a key's rounded theme corners show the form behind it.
  return Row(id, kXPButtonClass, caption, place, fontSpec, 0, WS_EX_TRANSPARENT);
}

ControlSpec ToggleKey(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec) {
  ControlSpec row = KeyButton(id, caption, place, fontSpec);
  row.finish = MakeToggle;
  return row;
}

ControlSpec Static(int id, const wchar_t* text, Place place, const wchar_t* fontSpec, DWORD style) {
  return Row(id, L"STATIC", text, place, fontSpec, SS_NOPREFIX | style);
}

ControlSpec Pane(int id, const wchar_t* text, Place place, const wchar_t* fontSpec, DWORD align) {
  ControlSpec row = Static(id, text, place, fontSpec, align);
  row.exStyle = WS_EX_STATICEDGE;
  return row;
}

ControlSpec Display(int id, const wchar_t* text, Place place, const wchar_t* fontSpec) {
  ControlSpec row = Row(id, L"EDIT", text, place, fontSpec, ES_RIGHT | ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
  row.properties.ownColors = true;
  row.properties.textIsSystem = true;
  row.properties.backIsSystem = true;
  row.properties.textColor = COLOR_WINDOWTEXT;
  row.properties.backColor = COLOR_WINDOW;
  row.finish = RemoveEditMarginsAndLimit;
  return row;
}

ControlSpec Edit(int id, const wchar_t* text, Place place, const wchar_t* fontSpec) {
  ControlSpec row = Row(id, L"EDIT", text, place, fontSpec, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
  row.properties.selectAllOnFocus = true;
  return row;
}

ControlSpec PushButton(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec, bool isDefault) {
  return Row(id, L"BUTTON", caption, place, fontSpec, (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP);
}

ControlSpec IconStatic(int id, const wchar_t* iconName, Place place, DWORD style) {
  return Row(id, L"STATIC", iconName, place, nullptr, SS_ICON | SS_CENTERIMAGE | style);
}

ControlSpec SunkenLine(int id, Place place, const wchar_t* fontSpec) {
  return Row(id, L"STATIC", L"", place, fontSpec, SS_SUNKEN);
}

ControlSpec OptionButton(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec, bool startsGroup) {
  return Row(id, L"BUTTON", caption, place, fontSpec, BS_AUTORADIOBUTTON | WS_TABSTOP | (startsGroup ? WS_GROUP : 0));
}

ControlSpec CheckBox(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec) {
  return Row(id, L"BUTTON", caption, place, fontSpec, BS_AUTOCHECKBOX | WS_TABSTOP);
}

ControlSpec GroupBox(int id, const wchar_t* caption, Place place, const wchar_t* fontSpec) {
  // A group box paints no interior: transparent, it lets the form paint its
  // face behind the options. Clipping its siblings keeps its frame off a
  // control that overlaps it.
  return Row(id, L"BUTTON", caption, place, fontSpec, BS_GROUPBOX | WS_CLIPSIBLINGS, WS_EX_TRANSPARENT);
}

ControlSpec ListBox(int id, Place place, const wchar_t* fontSpec) {
  return Row(id, L"LISTBOX", L"", place, fontSpec, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
             WS_EX_CLIENTEDGE);
}

ControlSpec TreeView(int id, Place place, const wchar_t* fontSpec) {
  return Row(id, WC_TREEVIEWW, L"", place, fontSpec,
             TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE);
}

ControlSpec ListView(int id, Place place, const wchar_t* fontSpec) {
  return Row(id, WC_LISTVIEWW, L"", place, fontSpec, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
             WS_EX_CLIENTEDGE);
}

ControlSpec ProgressBar(int id, Place place) {
  ControlSpec row = Row(id, PROGRESS_CLASSW, L"", place, nullptr, PBS_SMOOTH);
  row.finish = [](HWND bar) { SendMessageW(bar, PBM_SETRANGE32, 0, 1000); };
  return row;
}

ControlSpec DatePicker(int id, Place place, const wchar_t* fontSpec) {
  return Row(id, DATETIMEPICK_CLASSW, L"", place, fontSpec, DTS_SHORTDATEFORMAT | WS_TABSTOP);
}

ControlSpec DropDown(int id, Place place, const wchar_t* fontSpec) {
  return Row(id, L"COMBOBOX", L"", place, fontSpec, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
}

ControlSpec Separator(int id, Place place) {
  return Row(id, kFireLinesClass, L"", place, nullptr, WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TRANSPARENT);
}

ControlSpec Named(ControlSpec row, std::wstring name) {
  row.accessibleName = std::move(name);
  return row;
}

ControlSpec Hidden(ControlSpec row) {
  row.hidden = true;
  return row;
}

ControlSpec Disabled(ControlSpec row) {
  row.style |= WS_DISABLED;
  return row;
}

ControlSpec StartsGroup(ControlSpec row) {
  row.style |= WS_GROUP;
  return row;
}

void RemoveEditMarginsAndLimit(HWND edit) {
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  // After the font: a new font gives an edit field its default margins again.
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

}  // namespace tallix::ui
