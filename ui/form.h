#pragma once
// Form framework: every window of Tallix is a form. A FormDefinition gives the
// window's facts, its controls as rows (ui/control_presets.h makes the usual
// kinds) and a handler bound to each control and menu item; ShowForm
// registers the class "FORM_TALLIX_<NAME>_CLASS", creates the window centred
// on its owner's screen with its controls, and returns (modeless) or runs a
// modal loop until CloseForm. A complete window:
//
//   class AboutForm : public FormDefinition {
//    public:
//     AboutForm() {
//       static constexpr wchar_t kFont[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
//       name = L"FORM3";
//       caption = L"About Tallix";
//       width = 300, height = 150;
//       controls = {Static(1, L"Tallix 2.7", {20, 20, 250, 16}, kFont),
//                   KeyButton(IDOK, L"OK", {110, 80, 80, 24}, kFont)};
//       OnClick(IDOK, [this] { CloseForm(window, IDOK); });
//     }
//   };
//
//   AboutForm about;
//   ShowForm(about, owner, /*modal=*/true);  // IDOK, once the form has closed
//
// Per-window data: forms and controls set up by SetControlProperties carry
// a state of the framework (ui/form_state.h), and two free-form strings in
// "FLY_TAGPROPERTY" and "FLY_TAGPROPERTY2".
#include <windows.h>

#include <climits>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ui/scaling.h"

namespace tallix::ui {

inline constexpr wchar_t kTagProperty[] = L"FLY_TAGPROPERTY";
inline constexpr wchar_t kTagProperty2[] = L"FLY_TAGPROPERTY2";

// Sent by the message loops to the focused control before any message is
// handled: wParam 0, lParam the MSG*. A non-zero answer consumes the message.
// The control's subclass procedure hands it to its form's OnKeyPreview.
inline constexpr UINT kKeyPreviewMessage = 895;

// A form sends kReflectBase + WM_COMMAND / WM_NOTIFY / WM_DRAWITEM to the
// control that caused the notification (when the framework set it up),
// with the original parameters, before its own handlers see it. A non-zero
// answer from the control's subclass procedure ends the handling.
inline constexpr UINT kReflectBase = WM_USER + 0x1C00;

class FormDefinition;

// Standard subclass procedure of form controls: focus memory, select-all on
// focus, keyboard preview to the form, clean-up on destroy. A form that needs
// its own per-control procedure ends it by calling this one.
LRESULT CALLBACK ControlSubclassProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

inline const HBRUSH kMakeBrush = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(-1));

struct ControlProperties {
  bool subclass = true;
  const wchar_t* fontSpec = nullptr;  // a font spec string; nullptr or empty: keep the font
  LPARAM value = 0;                   // handed to the form's handlers
  bool ownColors = false;
  bool textIsSystem = false;  // textColor is a COLOR_ index
  bool backIsSystem = false;  // backColor is a COLOR_ index
  COLORREF textColor = 0;
  COLORREF backColor = 0;
  HBRUSH brush = kMakeBrush;  // kMakeBrush: made from backColor; else taken over
  WNDPROC subclassProc = ControlSubclassProcedure;
  bool selectAllOnFocus = false;
};

// Sets the control up (its subclass installed beneath by the accessible name's
// own, ui/accessible_name.h, whatever was set up first) and applies the
// properties; false when the window is gone or its state cannot be made.
// Calling it again replaces the settings.
bool SetControlProperties(HWND control, const ControlProperties& properties);

// One control of a form, declared as data.
struct ControlSpec {
  int id = 0;
  const wchar_t* className = L"STATIC";  // any class; "TB_XPBUTTON" and "FIRELINES" work too
  const wchar_t* text = L"";
  int x = 0, y = 0, width = 0, height = 0;
  DWORD style = 0;  // WS_CHILD is always added, and WS_VISIBLE unless hidden
  DWORD exStyle = 0;
  ControlProperties properties;
  bool hidden = false;
  // What no style can say (a key's toggle mode or image, an edit's margins),
  // run once the control has its properties, and again once the form has
  // been laid out for a new DPI: it must bear being repeated.
  void (*finish)(HWND control) = nullptr;
  // What a screen reader calls the control, and its keyboard shortcut. A
  // field without a name (edit, combo box, list, tree, date picker) takes the
  // text of a static label right before it in the table; one that has no
  // such label must be named here.
  std::wstring accessibleName{};
  std::wstring accessibleShortcut{};
};

// What the form's handlers get for WM_COMMAND, WM_NOTIFY, WM_HSCROLL and
// WM_VSCROLL. control is nullptr for menu and accelerator commands.
struct ControlEvent {
  HWND form = nullptr;
  UINT message = 0;
  int id = 0;
  int code = 0;  // notification code (scroll request for scrolls)
  HWND control = nullptr;
  LPARAM controlValue = 0;  // the value given in ControlProperties
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// A handler bound to a control or menu item; a non-zero answer is the
// message's result.
using ControlHandler = std::function<LRESULT(const ControlEvent&)>;
// Binds a handler to every notification code of its control or menu item.
inline constexpr int kAnyCode = INT_MIN;

class FormDefinition {
 public:
  virtual ~FormDefinition() = default;

  std::wstring name = L"FORM1";  // upper-case: FORM1..FORM8, FTS1, FTS2
  std::wstring caption;
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  DWORD exStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
  int width = 320, height = 240;                   // outer size
  const wchar_t* iconName = L"IMAGE_CALCULATOR3";  // icon resource of the executable
  const wchar_t* menuName = nullptr;               // menu resource, or nullptr
  std::vector<ControlSpec> controls;               // created in this order
  // The control that gives up room when the form is made smaller than laid
  // out to fit the screen (ui/form_give.h): shorter and narrower by what the
  // client area lacks, the controls below and right of it moved up and left
  // by as much. 0: none, and what does not fit is cut off.
  int givingControl = 0;
  // A control beside it that gives the width instead (a pane on the right),
  // the giving control then giving only height; 0: the giving control gives
  // both. The controls right of this one move left by what it gives.
  int givingAcrossControl = 0;

  // The form's window while it exists, nullptr otherwise.
  HWND window = nullptr;
  // What CloseForm was given, until ShowForm returns it for a modal form.
  INT_PTR modalResult = 0;

  std::wstring ClassName() const { return L"FORM_TALLIX_" + name + L"_CLASS"; }

  // `handler` answers `message` (WM_COMMAND, WM_NOTIFY, WM_HSCROLL or
  // WM_VSCROLL) from control or menu item `id` with notification `code`
  // (kAnyCode: any). Binding the same message, id and code again replaces it.
  void Bind(UINT message, int id, int code, ControlHandler handler);
  // The usual two: a button's click, and a menu item or control whatever its
  // notification code.
  void OnClick(int id, std::function<void()> action);
  void OnCommand(int id, std::function<void()> action);
  // The handler bound to the event, or else OnControlEvent.
  LRESULT Dispatch(const ControlEvent& event);

  // Last step of creation; a non-zero answer is WM_CREATE's result (-1 fails).
  virtual LRESULT OnCreate(HWND form, LPARAM value) { return 0; }
  // Control notifications and menu commands that no handler is bound to;
  // non-zero means handled.
  virtual LRESULT OnControlEvent(const ControlEvent& event) { return 0; }
  // Keyboard preview from a control of this form; non-zero consumes the message.
  virtual LRESULT OnKeyPreview(HWND control, const MSG& message) { return 0; }
  // After a change of DPI, once the framework has laid out every control and
  // made its fonts again: what the window draws or sizes itself (item
  // heights, column widths) follows here.
  virtual void OnDpiChanged(HWND form, int dpi) {}
  // Any other message, before the framework's handling (also WM_CLOSE and
  // WM_DESTROY, whose bookkeeping still runs). Return true to answer it.
  virtual bool OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return false; }

 private:
  std::map<std::tuple<UINT, int, int>, ControlHandler> handlers_;
};

// Creates the form owned by owner, centred on the owner's monitor (the
// primary one without an owner), moved and if need be made smaller to lie
// within that monitor's work area. Returns -1 when the window cannot be
// created, the window handle for a modeless form, and the result given to
// CloseForm for a modal one (after the form has closed).
INT_PTR ShowForm(FormDefinition& form, HWND owner, bool modal, LPARAM value = 0);

// At most one of a modeless form: an open one is shown normally and given the
// focus, else the form is created as ShowForm does. Same results as ShowForm.
INT_PTR ShowOrFocusForm(FormDefinition& form, HWND owner, LPARAM value = 0);

// Re-enables and activates a modal form's owner, destroys the form and keeps
// result in its definition for ShowForm.
void CloseForm(HWND form, INT_PTR result);

// The form last activated, nullptr while none is.
HWND ActiveForm();

// First window up from window (itself included) whose class name begins with
// "FORM_", or the first that is not a child window.
HWND FindParentForm(HWND window);

// The modal loop's filter, for any message loop of the program: keyboard
// preview to the focused control, then dialog navigation of the active form.
// True when the message was consumed.
bool PreTranslateFormMessage(MSG& message);

// Message loop until WM_QUIT, with the form filter; returns the quit code.
int RunMessageLoop();

void SetTagProperty(HWND window, const wchar_t* text);
void SetTagProperty2(HWND window, const wchar_t* text);
std::wstring GetTagProperty(HWND window);
std::wstring GetTagProperty2(HWND window);

// The definition of a form of the framework, nullptr for any other window.
FormDefinition* DefinitionOf(HWND form);

// Moves and sizes a control of a form to a design place, and remembers the
// place so that the framework lays it out again when the DPI changes.
void PlaceControl(HWND control, const Place& place);
// The same, keeping the control's design size (or position).
void MoveControlTo(HWND control, int x, int y);
void ResizeControlTo(HWND control, int width, int height);

// Gives a form a client area of the design size, remembered like a place.
// Both keep the form within the work area of its monitor.
void SetFormClientSize(HWND form, int width, int height);
// Gives a form the design outer size: exactly that at 96 DPI; at any other,
// the client area that size leaves inside a 96-DPI frame, scaled, inside the
// frame the system draws at the form's DPI.
void SetFormOuterSize(HWND form, int width, int height);

// Adds control as a tool of its form's tooltip window, made on first use
// (topmost, always shown, no prefix processing, balloons, 300 pixels wide).
// Returns the tooltip window, nullptr on failure.
HWND AddTooltip(HWND control, const std::wstring& text);

}  // namespace tallix::ui
