#include "ui/accessible_name.h"

#include <commctrl.h>

#include <mutex>
#include <new>
#include <optional>
#include <unordered_map>

#include "ui/accessible_object.h"
#include "ui/control_helpers.h"
#include "ui/window_kit.h"

namespace tallix::ui {
namespace {

struct AccessibleLabel {
  std::wstring name;
  std::wstring shortcut;
  WNDPROC previousProc = nullptr;
  HWND valueSource = nullptr;  // shows what this control stands for
};

// Looked up on every message the control gets, a tape's million lines
// included: kept in the process rather than in a window property, which under
// Wine is a round trip to the window server. Locked, because a key's name and
// shortcut are read from inside its accessible object (accessible_button.cpp):
// the thread that runs the windows enters no COM apartment, so a screen
// reader's calls on that object come in on COM's own worker threads.
class LabelIndex {
 public:
  // A copy, so that the lock is not held across a message.
  std::optional<AccessibleLabel> Find(HWND control) {
    std::lock_guard lock(mutex_);
    const auto found = labels_.find(control);
    return found == labels_.end() ? std::nullopt : std::optional(found->second);
  }
  WNDPROC PreviousProcOf(HWND control) {
    std::lock_guard lock(mutex_);
    const auto found = labels_.find(control);
    return found == labels_.end() ? nullptr : found->second.previousProc;
  }
  // Changes the control's label; false when the control is not known yet.
  template <class Change>
  bool Update(HWND control, Change change) {
    std::lock_guard lock(mutex_);
    const auto found = labels_.find(control);
    if (found == labels_.end()) return false;
    change(found->second);
    return true;
  }
  void Remember(HWND control, AccessibleLabel label) {
    std::lock_guard lock(mutex_);
    labels_[control] = std::move(label);
  }
  void Forget(HWND control) {
    std::lock_guard lock(mutex_);
    labels_.erase(control);
  }

 private:
  std::mutex mutex_;
  std::unordered_map<HWND, AccessibleLabel> labels_;
};

LabelIndex& Labels() {
  static LabelIndex index;
  return index;
}

// {00020404-0000-0000-C000-000000000046}
const IID kIIDEnumVariant = {0x00020404, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool IsListBox(HWND control) { return HasClass(control, L"ListBox"); }

bool IsStatic(HWND control) { return HasClass(control, L"Static"); }
LONG StyleOf(HWND control) { return GetWindowLongW(control, GWL_STYLE); }
bool IsPicture(HWND control) {
  const LONG type = StyleOf(control) & SS_TYPEMASK;
  return IsStatic(control) && (type == SS_ICON || type == SS_BITMAP);
}

long RoleOfButton(HWND button) {
  switch (StyleOf(button) & BS_TYPEMASK) {
    case BS_GROUPBOX: return ROLE_SYSTEM_GROUPING;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return ROLE_SYSTEM_CHECKBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return ROLE_SYSTEM_RADIOBUTTON;
    default: return ROLE_SYSTEM_PUSHBUTTON;
  }
}

// The role of a control the standard object knows only as a client area
// (Wine's knows no class).
long RoleOfClass(HWND control) {
  if (HasClass(control, WC_LISTVIEWW)) return ROLE_SYSTEM_LIST;
  if (HasClass(control, WC_TREEVIEWW)) return ROLE_SYSTEM_OUTLINE;
  if (HasClass(control, DATETIMEPICK_CLASSW)) return ROLE_SYSTEM_DROPLIST;
  if (HasClass(control, PROGRESS_CLASSW)) return ROLE_SYSTEM_PROGRESSBAR;
  if (HasClass(control, L"Edit")) return ROLE_SYSTEM_TEXT;
  if (IsListBox(control)) return ROLE_SYSTEM_LIST;
  if (HasClass(control, L"ComboBox")) return ROLE_SYSTEM_COMBOBOX;
  if (HasClass(control, L"Button")) return RoleOfButton(control);
  if (IsStatic(control)) return IsPicture(control) ? ROLE_SYSTEM_GRAPHIC : ROLE_SYSTEM_STATICTEXT;
  return ROLE_SYSTEM_CLIENT;
}

class NamedControl : public DelegatingAccessible {
 public:
  NamedControl(HWND control, const AccessibleLabel& label) : DelegatingAccessible(control), label_(label) {}

  // The standard object's enumeration of a list box's children need not be
  // its lines (Wine's lists child windows): without one, a screen reader
  // counts and asks for the children itself.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, kIIDEnumVariant) && IsListBox(window_)) {
      if (object) *object = nullptr;
      return E_NOINTERFACE;
    }
    return DelegatingAccessible::QueryInterface(iid, object);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (IsSelf(child) && !label_.name.empty()) return AnswerText(label_.name, name);
    // A picture's text is the name of its resource, nothing to read out.
    if (IsSelf(child) && IsPicture(window_)) return AnswerText({}, name);
    if (IsLineOfList(child)) return AnswerText(ListBoxItemText(window_, child.lVal - 1), name);
    return DelegatingAccessible::get_accName(child, name);
  }

  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    // An edit says what it shows as its value, and so does a static text
    // named otherwise ("Items": " 3 Items"); an unnamed one's text is its name.
    if (IsSelf(child) && IsWindow(label_.valueSource)) return AnswerText(GetText(label_.valueSource), value);
    const bool namedText = IsStatic(window_) && !IsPicture(window_) && !label_.name.empty();
    if (IsSelf(child) && (namedText || HasClass(window_, L"Edit"))) return AnswerText(GetText(window_), value);
    return DelegatingAccessible::get_accValue(child, value);
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    if (IsLineOfList(child)) return AnswerNumber(ROLE_SYSTEM_LISTITEM, role);
    const HRESULT answer = DelegatingAccessible::get_accRole(child, role);
    if (IsSelf(child) && (FAILED(answer) || (role->vt == VT_I4 && role->lVal == ROLE_SYSTEM_CLIENT)))
      return AnswerNumber(RoleOfClass(window_), role);
    return answer;
  }

  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    if (IsLineOfList(child)) return AnswerNumber(STATE_SYSTEM_READONLY, state);
    const HRESULT answer = DelegatingAccessible::get_accState(child, state);
    // A check box or option button says whether it is checked.
    if (IsSelf(child) && SUCCEEDED(answer) && state->vt == VT_I4 && HasClass(window_, L"Button") &&
        SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED)
      state->lVal |= STATE_SYSTEM_CHECKED;
    return answer;
  }

  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    if (IsSelf(child) && !label_.shortcut.empty()) return AnswerText(label_.shortcut, shortcut);
    return DelegatingAccessible::get_accKeyboardShortcut(child, shortcut);
  }

  // A list box's lines are its children, one to a line, numbered from 1.
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!IsListBox(window_)) return DelegatingAccessible::get_accChildCount(count);
    if (!count) return E_POINTER;
    *count = static_cast<long>(ListLineCount());
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (!IsLineOfList(child)) return DelegatingAccessible::get_accChild(child, object);
    if (!object) return E_POINTER;
    *object = nullptr;
    return S_FALSE;  // a line is a simple element of the list
  }

 private:
  LRESULT ListLineCount() const {
    const LRESULT count = SendMessageW(window_, LB_GETCOUNT, 0, 0);
    return count > 0 ? count : 0;
  }
  bool IsLineOfList(const VARIANT& child) const {
    return child.vt == VT_I4 && child.lVal > 0 && IsListBox(window_) && child.lVal <= ListLineCount();
  }

  AccessibleLabel label_;
};

LRESULT CALLBACK NameProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previous = Labels().PreviousProcOf(control);
  if (!previous) return DefWindowProcW(control, message, wParam, lParam);
  switch (message) {
    case WM_GETOBJECT: {
      // A control with an object of its own keeps it.
      if (LRESULT own = CallWindowProcW(previous, control, message, wParam, lParam)) return own;
      const std::optional<AccessibleLabel> label = Labels().Find(control);
      if (label && AsksForClient(lParam))
        return AnswerGetObject(new (std::nothrow) NamedControl(control, *label), wParam);
      return 0;
    }
    case WM_NCDESTROY:
      if (GetWindowLongPtrW(control, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(NameProcedure))
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      Labels().Forget(control);
      break;
  }
  return CallWindowProcW(previous, control, message, wParam, lParam);
}

}  // namespace

void SetAccessibleName(HWND control, std::wstring_view name, std::wstring_view shortcut) {
  const auto rename = [&](AccessibleLabel& label) {
    label.name = name;
    label.shortcut = shortcut;
  };
  if (!IsWindow(control) || Labels().Update(control, rename)) return;
  // Known before the procedure is swapped: the first message finds its label.
  AccessibleLabel label{std::wstring(name), std::wstring(shortcut),
                        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC))};
  Labels().Remember(control, label);
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NameProcedure));
}

void AddAccessibleLayer(HWND control) {
  if (!Labels().PreviousProcOf(control)) SetAccessibleName(control, {});
}

void SetAccessibleValueSource(HWND control, HWND source) {
  const auto setSource = [source](AccessibleLabel& label) { label.valueSource = source; };
  if (!Labels().Update(control, setSource)) {
    SetAccessibleName(control, {});
    Labels().Update(control, setSource);
  }
}

std::wstring AccessibleNameOf(HWND control) {
  const std::optional<AccessibleLabel> label = Labels().Find(control);
  return label ? label->name : std::wstring();
}

std::wstring AccessibleShortcutOf(HWND control) {
  const std::optional<AccessibleLabel> label = Labels().Find(control);
  return label ? label->shortcut : std::wstring();
}

std::wstring NameFromLabel(std::wstring_view label) {
  std::wstring name;
  for (std::size_t i = 0; i < label.size(); ++i) {
    if (label[i] == L'&') {
      // "&&" is one ampersand; a lone one marks the mnemonic.
      if (i + 1 < label.size() && label[i + 1] == L'&') name += label[++i];
      continue;
    }
    name += label[i];
  }
  while (!name.empty() && (name.back() == L':' || name.back() == L' ')) name.pop_back();
  while (!name.empty() && name.front() == L' ') name.erase(0, 1);
  return name;
}

bool IsLabelledClass(const wchar_t* className) {
  if (!className) return false;
  for (const wchar_t* field : {L"Edit", L"ComboBox", L"ListBox", WC_LISTVIEWW, WC_TREEVIEWW, DATETIMEPICK_CLASSW})
    if (lstrcmpiW(className, field) == 0) return true;
  return false;
}

}  // namespace tallix::ui
