#include "ui/form.h"

#include <commctrl.h>

#include <mutex>
#include <new>
#include <unordered_map>
#include <utility>

#include "ui/accessible_name.h"
#include "ui/caption_fit.h"
#include "ui/contrast.h"
#include "ui/control_helpers.h"
#include "ui/fire_lines.h"
#include "ui/font_spec.h"
#include "ui/form_give.h"
#include "ui/placement.h"
#include "ui/scaling.h"
#include "ui/window_kit.h"
#include "ui/xp_button.h"

namespace tallix::ui {
namespace {

HWND activeForm = nullptr;

struct CreateContext {
  FormDefinition* definition;
  LPARAM value;
};

// ---- tag strings: zero-terminated copies on the process heap -------------

void ReplaceTag(HWND window, const wchar_t* property, const wchar_t* text) {
  if (!IsWindow(window)) return;
  if (!text) text = L"";
  size_t bytes = (lstrlenW(text) + 1) * sizeof(wchar_t);
  void* copy = HeapAlloc(GetProcessHeap(), 0, bytes);
  if (!copy) return;  // keep the old text rather than lose it
  CopyMemory(copy, text, bytes);
  if (void* old = GetPropW(window, property)) HeapFree(GetProcessHeap(), 0, old);
  SetPropW(window, property, copy);
}

std::wstring ReadTag(HWND window, const wchar_t* property) {
  if (!IsWindow(window)) return {};
  auto* text = static_cast<const wchar_t*>(GetPropW(window, property));
  return text ? std::wstring(text) : std::wstring();
}

void ReleaseTags(HWND window) {
  for (const wchar_t* property : {kTagProperty, kTagProperty2})
    if (void* text = RemovePropW(window, property)) HeapFree(GetProcessHeap(), 0, text);
}

void SetEmptyTags(HWND window) {
  SetTagProperty(window, L"");
  SetTagProperty2(window, L"");
}

// ---- records ---------------------------------------------------------------

// Every message to a form or a subclassed control looks its record up, and
// under Wine reading a window property is a round trip to the server: a list
// taking a million lines spent most of its time there. The records of the
// windows whose own procedure releases them are also kept here; others (a
// control set up without subclassing) are found through the property alone.
class RecordIndex {
 public:
  void Remember(HWND window, FlyRecord* record) {
    std::lock_guard lock(mutex_);
    records_[window] = record;
  }
  void Forget(HWND window) {
    std::lock_guard lock(mutex_);
    records_.erase(window);
  }
  FlyRecord* Find(HWND window) {
    std::lock_guard lock(mutex_);
    const auto found = records_.find(window);
    return found == records_.end() ? nullptr : found->second;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, FlyRecord*> records_;
};

RecordIndex& Records() {
  static RecordIndex index;
  return index;
}

FlyRecord* MakeRecord(HWND window) {
  auto* record = new (std::nothrow) FlyRecord{};
  if (record && !SetPropW(window, kFlyPtrProperty, record)) {
    delete record;
    return nullptr;
  }
  return record;
}

// Frees the record, its brush and the tag strings and removes the properties.
void ReleaseRecord(HWND window) {
  Records().Forget(window);
  auto* record = static_cast<FlyRecord*>(RemovePropW(window, kFlyPtrProperty));
  if (record && record->brush) DeleteObject(record->brush);
  if (record && record->icon) DestroyIcon(record->icon);
  delete record;
  ReleaseTags(window);
}

COLORREF ResolveColor(COLORREF color, bool isSystemIndex) {
  return isSystemIndex ? GetSysColor(static_cast<int>(color)) : color;
}

HBRUSH BackgroundBrush(const FlyRecord& record) {
  return record.backIsSystem ? GetSysColorBrush(static_cast<int>(record.backColor))
                             : CreateSolidBrush(record.backColor);
}

bool IsChildWindow(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0; }

// The form that holds a control: its parent, or the grandparent when the
// parent is itself a child window (a control inside a group or a combo box).
HWND FormOfControl(HWND control) {
  HWND parent = GetParent(control);
  if (parent && IsChildWindow(parent)) parent = GetParent(parent);
  return parent;
}

FormDefinition* DefinitionOf(HWND form) {
  FlyRecord* record = GetFlyRecord(form);
  return record && record->isForm ? record->definition : nullptr;
}

// ---- form window procedure ---------------------------------------------------

HWND CreateDeclaredControl(HWND form, const ControlSpec& spec, int dpi) {
  const DWORD style = spec.style | WS_CHILD | (spec.hidden ? 0 : WS_VISIBLE);
  CreateArgs args{form,
                  spec.id,
                  spec.text,
                  ScaleToDpi(spec.x, dpi),
                  ScaleToDpi(spec.y, dpi),
                  ScaleToDpi(spec.width, dpi),
                  ScaleToDpi(spec.height, dpi),
                  style,
                  spec.exStyle};
  if (spec.className && lstrcmpiW(spec.className, kXPButtonClass) == 0) RegisterXPButtonClass();
  if (spec.className && lstrcmpiW(spec.className, kFireLinesClass) == 0) RegisterFireLinesClass();
  return CreateChild(spec.className, args);
}

bool IsIconStatic(const ControlSpec& spec) {
  return (spec.style & SS_TYPEMASK) == SS_ICON && spec.className && lstrcmpiW(spec.className, L"STATIC") == 0 &&
         spec.text && *spec.text;
}

// The static loads its icon at the system's size; the form's DPI may differ.
void ShowIconForDpi(HWND control, FlyRecord& record, int dpi) {
  HICON icon = LoadIconOfSize(record.iconName, ScaleToDpi(32, dpi));
  if (!icon) return;
  SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (record.icon) DestroyIcon(record.icon);
  record.icon = icon;
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

void CreateFormControls(HWND form, FormDefinition& definition, int dpi) {
  const std::vector<ControlSpec>& rows = definition.controls;
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const ControlSpec& spec = rows[index];
    HWND control = CreateDeclaredControl(form, spec, dpi);
    if (!control) continue;
    // Before the framework's own subclass, which puts back the procedure it
    // found when the control is destroyed: the name's procedure must still
    // get the last message to let its record go.
    SetAccessibleName(control, AccessibleNameOfRow(rows, index), spec.accessibleShortcut);
    if (FlyRecord* record = SetControlProperties(control, spec.properties)) {
      record->designPlace = {spec.x, spec.y, spec.width, spec.height};
      record->hasDesignPlace = 1;
      record->finish = spec.finish;
      if (IsIconStatic(spec)) {
        record->iconName = spec.text;
        ShowIconForDpi(control, *record, dpi);
      }
    }
    if (spec.finish) spec.finish(control);
    SetEmptyTags(control);
  }
}

bool HasMenuBar(const FormDefinition& definition) { return definition.menuName != nullptr; }

SIZE DesignClientOf(const FormDefinition& definition) {
  return DesignClientOfOuter(definition.width, definition.height, definition.style, definition.exStyle,
                             HasMenuBar(definition));
}

// The window icons drawn for the form's DPI; the form owns them.
void SetFormIcons(HWND form, FlyRecord& record, const FormDefinition& definition) {
  if (!definition.iconName) return;
  for (const bool large : {true, false}) {
    HICON icon = LoadIconOfSize(definition.iconName, WindowIconSize(large, record.dpi));
    if (!icon) continue;
    HICON& kept = large ? record.largeIcon : record.smallIcon;
    SendMessageW(form, WM_SETICON, large ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    if (kept) DestroyIcon(kept);
    kept = icon;
  }
}

LRESULT OnFormCreate(HWND form, const CREATESTRUCTW& create) {
  auto* context = static_cast<CreateContext*>(create.lpCreateParams);
  FlyRecord* record = MakeRecord(form);
  if (!record || !context) return -1;
  record->isForm = 1;
  record->dpi = ReportedDpi(form);
  Records().Remember(form, record);
  record->definition = context->definition;
  context->definition->window = form;
  SetEmptyTags(form);
  CreateFormControls(form, *context->definition, record->dpi);
  FitCaptions(form, record->dpi);
  record->designClient = DesignClientOf(*context->definition);
  // At the design DPI the window keeps the outer size it was made with.
  if (record->dpi != kDesignDpi)
    SetClientSize(form, ScaleToDpi(record->designClient.cx, record->dpi),
                  ScaleToDpi(record->designClient.cy, record->dpi));
  SetFormIcons(form, *record, *context->definition);
  return context->definition->OnCreate(form, context->value);
}

// Fonts first: a combo box sizes itself to its font, and the place then wins.
BOOL CALLBACK RescaleControl(HWND control, LPARAM dpiValue) {
  const int dpi = static_cast<int>(dpiValue);
  FlyRecord* record = GetFlyRecord(control);
  if (!record || record->isForm) return TRUE;
  if (!record->fontSpec.empty())
    if (HFONT font = FontFromSpec(record->fontSpec, dpi)) {
      record->font = font;
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      if (HasClass(control, DATETIMEPICK_CLASSW))
        SendMessageW(control, DTM_SETMCFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
  if (record->hasDesignPlace) {
    const Place place = PixelPlace(control, record->designPlace, dpi);
    SetWindowPos(control, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (record->iconName) ShowIconForDpi(control, *record, dpi);
  if (record->finish) record->finish(control);
  return TRUE;
}

// The form moved to a screen of another scale, or the scale changed: the
// system's suggested rectangle, then everything laid out again for the DPI.
void OnFormDpiChanged(HWND form, FlyRecord& record, FormDefinition& definition, int dpi, const RECT* suggested) {
  if (dpi <= 0) return;
  record.dpi = dpi;
  if (suggested)
    SetWindowPos(form, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  // Laid out anew in full; the frame fitted to the screen then says what the
  // giving control gives up at this DPI.
  record.given = {};
  EnumChildWindows(form, RescaleControl, dpi);
  SetClientSize(form, ScaleToDpi(record.designClient.cx, dpi), ScaleToDpi(record.designClient.cy, dpi));
  FitCaptions(form, dpi);
  KeepOnItsMonitor(form);
  SetFormIcons(form, record, definition);
  definition.OnDpiChanged(form, dpi);
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ReenableOwner(FlyRecord& record) {
  if (!record.isModal || !IsWindow(record.modalOwner)) return;
  EnableWindow(record.modalOwner, TRUE);
  SetActiveWindow(record.modalOwner);
}

void OnFormDestroy(HWND form, FlyRecord& record) {
  if (record.definition && record.definition->window == form) record.definition->window = nullptr;
  if (activeForm == form) activeForm = nullptr;
  // A modal form destroyed without closing must not leave its owner disabled.
  if (record.isModal && IsWindow(record.modalOwner) && !IsWindowEnabled(record.modalOwner)) ReenableOwner(record);
  if (record.accelerators) DestroyAcceleratorTable(record.accelerators);
  if (record.timerId) KillTimer(form, record.timerId);
  for (HICON icon : {record.largeIcon, record.smallIcon})
    if (icon) DestroyIcon(icon);
  ReleaseRecord(form);
}

BOOL CALLBACK RefreshSystemBrush(HWND child, LPARAM) {
  FlyRecord* record = GetFlyRecord(child);
  if (record && record->ownColors && record->backIsSystem) {
    if (record->brush) DeleteObject(record->brush);
    record->brush = GetSysColorBrush(static_cast<int>(record->backColor));
  }
  return TRUE;
}

bool IsReadOnlyTabStop(HWND control) {
  const DWORD style = GetWindowLongW(control, GWL_STYLE);
  return (style & WS_TABSTOP) && (style & ES_READONLY) && HasClass(control, L"Edit");
}

bool IsOptionButton(HWND control) {
  const DWORD type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return HasClass(control, L"Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

// An edit field that gets the focus: all its text selected, or none. A longer
// text keeps the lines in view: the caret goes to the first of them, where
// anywhere else it would scroll the text to itself.
void SelectOnFocus(HWND edit, bool all) {
  if (all) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
  } else if (GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE) {
    const LRESULT top = SendMessageW(edit, EM_LINEINDEX, SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageW(edit, EM_SETSEL, top, top);
  } else {
    SendMessageW(edit, EM_SETSEL, -1, 0);
  }
}

// The push button that the form's table declares the default one; 0 for none.
int DefaultButtonOf(const FormDefinition& definition) {
  for (const ControlSpec& row : definition.controls) {
    const bool button = row.className && lstrcmpiW(row.className, L"BUTTON") == 0;
    if (button && (row.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return row.id;
  }
  return 0;
}

// Where the keyboard starts in a form that put the focus nowhere itself: its
// first tab stop, so that a key stroke always has a visible target. A group
// of option buttons is entered at the one checked, as Tab enters it: an
// option that gets the focus is chosen.
HWND FirstFocus(HWND form) {
  HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
  if (!first || !IsOptionButton(first)) return first;
  HWND option = first;
  do {
    if (SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED) return option;
    option = GetNextDlgGroupItem(form, option, FALSE);
  } while (option && option != first && IsOptionButton(option));
  return first;
}

// Common controls (tree, list view, date picker) take their colours anew only
// when their form passes the change on; then everything is painted again.
BOOL CALLBACK PassOnColorChange(HWND child, LPARAM) {
  SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

void OnColorsChanged(HWND form, UINT message) {
  EnumChildWindows(form, RefreshSystemBrush, 0);
  if (message == WM_SYSCOLORCHANGE) EnumChildWindows(form, PassOnColorChange, 0);
  RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// A control's own fixed colours give way to the user's in high contrast.
bool UsesOwnColors(const FlyRecord* record) {
  return record && record->ownColors && (!HighContrastOn() || (record->textIsSystem && record->backIsSystem));
}

LRESULT OnControlColor(HWND form, UINT message, HDC dc, HWND control) {
  FlyRecord* record = GetFlyRecord(control);
  if (!record || !record->ownColors) record = GetFlyRecord(GetFocus());
  if (!UsesOwnColors(record) || !record->brush)
    return DefWindowProcW(form, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  SetTextColor(dc, ResolveColor(record->textColor, record->textIsSystem));
  if (HasClass(control, L"Edit")) {
    SetBkMode(dc, OPAQUE);
    if (!IsWindowEnabled(control)) {
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    SetBkColor(dc, ResolveColor(record->backColor, record->backIsSystem));
  } else {
    SetBkMode(dc, TRANSPARENT);
  }
  return reinterpret_cast<LRESULT>(record->brush);
}

LRESULT Reflect(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!control || !GetFlyRecord(control)) return 0;
  return SendMessageW(control, kReflectBase + message, wParam, lParam);
}

LRESULT OnControlEvent(HWND form, FormDefinition& definition, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlEvent event{form, message, 0, 0, nullptr, 0, wParam, lParam};
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) return 0;
    event.control = header->hwndFrom;
    event.id = static_cast<int>(header->idFrom);
    event.code = static_cast<int>(header->code);
  } else {
    event.control = reinterpret_cast<HWND>(lParam);
    event.id = message == WM_COMMAND ? LOWORD(wParam) : GetDlgCtrlID(event.control);
    event.code = HIWORD(wParam);
    if (message != WM_COMMAND) event.code = LOWORD(wParam);
  }
  if (LRESULT reflected = Reflect(event.control, message, wParam, lParam)) return reflected;
  if (FlyRecord* record = GetFlyRecord(event.control)) event.controlValue = record->controlValue;
  return definition.Dispatch(event);
}

// A command handler that runs the action and reports the message handled.
ControlHandler AnsweredBy(std::function<void()> action) {
  return [action = std::move(action)](const ControlEvent&) -> LRESULT {
    action();
    return 1;
  };
}

LRESULT CALLBACK FormProcedure(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnFormCreate(form, *reinterpret_cast<CREATESTRUCTW*>(lParam));
  FlyRecord* record = GetFlyRecord(form);
  FormDefinition* definition = record ? record->definition : nullptr;
  if (!definition) return DefWindowProcW(form, message, wParam, lParam);

  // Before the form's own handling, which may rely on the controls' places.
  if (message == WM_SIZE) LetControlGive(form);
  LRESULT answer = 0;
  bool answered = definition->OnMessage(form, message, wParam, lParam, answer);
  switch (message) {
    case WM_DESTROY:
    case WM_NCDESTROY:  // alone when creation failed
      OnFormDestroy(form, *record);
      return answered ? answer : DefWindowProcW(form, message, wParam, lParam);
    case WM_CLOSE:
      if (answered) return answer;
      if (record->isModal) {
        ReenableOwner(*record);
        ShowWindow(form, SW_HIDE);
      }
      DestroyWindow(form);
      return 0;
  }
  if (answered) return answer;

  switch (message) {
    case WM_ACTIVATE: activeForm = LOWORD(wParam) != WA_INACTIVE ? form : nullptr; break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (LRESULT handled = OnControlEvent(form, *definition, message, wParam, lParam)) return handled;
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item && Reflect(item->hwndItem, message, wParam, lParam)) return TRUE;
      break;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        SendMessageW(form, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case DM_GETDEFID:
      // Enter in a field presses the form's default button, as in a dialog.
      if (const int id = DefaultButtonOf(*definition)) return MAKELRESULT(id, DC_HASDEFID);
      break;
    case WM_SETFOCUS:
      if (HWND target = (record->lastFocus && IsWindow(record->lastFocus)) ? record->lastFocus : FirstFocus(form)) {
        SetFocus(target);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      OnFormDpiChanged(form, *record, *definition, LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:  // high contrast switched on or off among others
    case WM_THEMECHANGED: OnColorsChanged(form, message); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return OnControlColor(form, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
  }
  return DefWindowProcW(form, message, wParam, lParam);
}

bool EnsureFormClass(const FormDefinition& definition) {
  std::wstring className = definition.ClassName();
  HINSTANCE instance = ToolkitInstance();
  WNDCLASSEXW known{};
  known.cbSize = sizeof(known);
  if (GetClassInfoExW(instance, className.c_str(), &known)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = FormProcedure;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, definition.iconName, IMAGE_ICON, 32, 32, LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, definition.iconName, IMAGE_ICON, 16, 16, LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className.c_str();
  return RegisterClassExW(&wc) != 0;
}

HWND TopLevelOf(HWND window) {
  while (window && IsChildWindow(window)) window = GetParent(window);
  return window;
}

INT_PTR RunModal(HWND form, FormDefinition& definition, FlyRecord& record, HWND owner) {
  record.modalOwner = TopLevelOf(owner);
  record.isModal = 1;
  if (record.modalOwner) EnableWindow(record.modalOwner, FALSE);
  ShowWindow(form, SW_SHOWNORMAL);
  UpdateWindow(form);

  MSG message;
  bool quit = false;
  while (IsWindow(form)) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = got == 0;
      break;
    }
    if (!PreTranslateFormMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (IsWindow(form)) CloseForm(form, definition.modalResult);
  // The quit request belongs to the outer loop too.
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
  return std::exchange(definition.modalResult, 0);
}

}  // namespace

void FormDefinition::Bind(UINT message, int id, int code, ControlHandler handler) {
  handlers_[{message, id, code}] = std::move(handler);
}

void FormDefinition::OnClick(int id, std::function<void()> action) {
  Bind(WM_COMMAND, id, BN_CLICKED, AnsweredBy(std::move(action)));
}

void FormDefinition::OnCommand(int id, std::function<void()> action) {
  Bind(WM_COMMAND, id, kAnyCode, AnsweredBy(std::move(action)));
}

LRESULT FormDefinition::Dispatch(const ControlEvent& event) {
  auto found = handlers_.find({event.message, event.id, event.code});
  if (found == handlers_.end()) found = handlers_.find({event.message, event.id, kAnyCode});
  return found != handlers_.end() ? found->second(event) : OnControlEvent(event);
}

FlyRecord* GetFlyRecord(HWND window) {
  if (!window) return nullptr;
  if (FlyRecord* record = Records().Find(window)) return record;
  if (!IsWindow(window)) return nullptr;
  return static_cast<FlyRecord*>(GetPropW(window, kFlyPtrProperty));
}

FlyRecord* SetControlProperties(HWND control, const ControlProperties& properties) {
  if (!IsWindow(control)) return nullptr;
  FlyRecord* record = GetFlyRecord(control);
  if (!record && !(record = MakeRecord(control))) return nullptr;
  record->control = control;
  if (properties.subclass && properties.subclassProc && !record->previousProc) {
    record->previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(properties.subclassProc)));
    Records().Remember(control, record);
  }
  if (properties.fontSpec && *properties.fontSpec) {
    record->fontSpec = properties.fontSpec;
    record->font = FontFromSpec(properties.fontSpec, DpiOf(control));
    if (record->font) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(record->font), TRUE);
      if (HasClass(control, DATETIMEPICK_CLASSW))
        SendMessageW(control, DTM_SETMCFONT, reinterpret_cast<WPARAM>(record->font), TRUE);
    }
  }
  record->controlValue = properties.value;
  record->selectAllOnFocus = properties.selectAllOnFocus;
  record->ownColors = properties.ownColors;
  record->textIsSystem = properties.textIsSystem;
  record->backIsSystem = properties.backIsSystem;
  record->textColor = properties.textColor;
  record->backColor = properties.backColor;
  if (properties.ownColors) {
    HBRUSH brush = properties.brush == kMakeBrush ? BackgroundBrush(*record) : properties.brush;
    if (record->brush && record->brush != brush) DeleteObject(record->brush);
    record->brush = brush;
  }
  return record;
}

LRESULT CALLBACK ControlSubclassProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  FlyRecord* record = GetFlyRecord(control);
  WNDPROC previous = record ? record->previousProc : nullptr;
  if (!previous) return DefWindowProcW(control, message, wParam, lParam);

  switch (message) {
    case WM_SETFOCUS: {
      if (HasClass(control, L"Edit")) SelectOnFocus(control, record->selectAllOnFocus);
      if (FlyRecord* form = GetFlyRecord(FormOfControl(control))) form->lastFocus = control;
      break;
    }
    case WM_GETDLGCODE: {
      // A read-only field has no use for Tab: a multi-line one would keep
      // the keyboard in it for good.
      LRESULT code = CallWindowProcW(previous, control, message, wParam, lParam);
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      // Nor for Esc, which closes the window.
      const bool dialogKey = msg && (msg->wParam == VK_TAB || msg->wParam == VK_ESCAPE);
      if (IsReadOnlyTabStop(control)) code &= ~(DLGC_WANTTAB | (dialogKey ? DLGC_WANTALLKEYS : 0));
      // Tab into a field that keeps its selection must not select all: that
      // moves the caret to the end and scrolls the text away from where the
      // user was reading.
      if (!record->selectAllOnFocus && HasClass(control, L"Edit")) code &= ~DLGC_HASSETSEL;
      return code;
    }
    case WM_SYSKEYDOWN:
      // Alt+F4 closes the window whichever control has the focus: some
      // controls (Wine's tree view) keep it to themselves.
      if (wParam == VK_F4 && (lParam & (1 << 29))) return DefWindowProcW(control, message, wParam, lParam);
      break;
    case kKeyPreviewMessage: {
      FormDefinition* definition = DefinitionOf(FormOfControl(control));
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (definition && msg)
        if (LRESULT consumed = definition->OnKeyPreview(control, *msg)) return consumed;
      break;
    }
    case WM_DESTROY:
    case WM_NCDESTROY:  // alone when the parent's creation failed
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      ReleaseRecord(control);
      break;
  }
  return CallWindowProcW(previous, control, message, wParam, lParam);
}

INT_PTR ShowForm(FormDefinition& definition, HWND owner, bool modal, LPARAM value) {
  if (!EnsureFormClass(definition)) return -1;
  definition.modalResult = 0;
  // The size for the DPI the form will most likely get; made exact once the
  // window knows its own.
  const int dpi = owner ? DpiOf(owner) : SystemDpi();
  SIZE outer{definition.width, definition.height};
  if (dpi != kDesignDpi) {
    const SIZE design = DesignClientOf(definition);
    outer = OuterOfClient({ScaleToDpi(design.cx, dpi), ScaleToDpi(design.cy, dpi)}, definition.style,
                          definition.exStyle, HasMenuBar(definition), dpi);
  }
  const HMONITOR monitor = MonitorForOwner(owner);
  const POINT corner = CentredOn(monitor, outer);
  HINSTANCE instance = ToolkitInstance();
  HMENU menu = definition.menuName ? LoadMenuW(instance, definition.menuName) : nullptr;
  CreateContext context{&definition, value};
  HWND form =
      CreateWindowExW(definition.exStyle, definition.ClassName().c_str(), definition.caption.c_str(), definition.style,
                      corner.x, corner.y, outer.cx, outer.cy, owner, menu, instance, &context);
  if (!form) {
    if (menu) DestroyMenu(menu);
    return -1;
  }
  // Once the form has its size for its DPI and has placed itself.
  if (!IsChildWindow(form)) KeepInWorkArea(form, monitor);
  FlyRecord* record = GetFlyRecord(form);
  if (!modal || (definition.exStyle & WS_EX_MDICHILD) || !record) {
    ShowWindow(form, (definition.exStyle & WS_EX_NOACTIVATE) ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
    UpdateWindow(form);
    return reinterpret_cast<INT_PTR>(form);
  }
  return RunModal(form, definition, *record, owner);
}

INT_PTR ShowOrFocusForm(FormDefinition& definition, HWND owner, LPARAM value) {
  if (!IsWindow(definition.window)) return ShowForm(definition, owner, false, value);
  ShowWindow(definition.window, SW_SHOWNORMAL);
  SetFocus(definition.window);
  return reinterpret_cast<INT_PTR>(definition.window);
}

void CloseForm(HWND form, INT_PTR result) {
  if (!IsWindow(form)) return;
  if (FormDefinition* definition = DefinitionOf(form)) definition->modalResult = result;
  FlyRecord* record = GetFlyRecord(form);
  if (record && record->isModal) {
    ReenableOwner(*record);
    // Wakes a modal loop that waits for a message so it notices the form is gone.
    PostMessageW(nullptr, WM_NULL, 0, 0);
  }
  DestroyWindow(form);
}

HWND ActiveForm() { return activeForm; }

HWND FindParentForm(HWND window) {
  while (window && IsWindow(window)) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (wcsncmp(name, L"FORM_", 5) == 0 || !IsChildWindow(window)) return window;
    window = GetParent(window);
  }
  return nullptr;
}

bool PreTranslateFormMessage(MSG& message) {
  if (HWND focus = GetFocus())
    if (SendMessageW(focus, kKeyPreviewMessage, 0, reinterpret_cast<LPARAM>(&message))) return true;
  HWND active = GetActiveWindow();
  HWND form = active ? FindParentForm(active) : nullptr;
  return form && IsDialogMessageW(form, &message);
}

int RunMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
    if (PreTranslateFormMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : -1;
}

void SetTagProperty(HWND window, const wchar_t* text) { ReplaceTag(window, kTagProperty, text); }
void SetTagProperty2(HWND window, const wchar_t* text) { ReplaceTag(window, kTagProperty2, text); }
std::wstring GetTagProperty(HWND window) { return ReadTag(window, kTagProperty); }
std::wstring GetTagProperty2(HWND window) { return ReadTag(window, kTagProperty2); }

}  // namespace tallix::ui
