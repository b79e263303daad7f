#include "ui/accessible_object.h"

#include <string>

namespace tallix::ui {

const IID kIIDAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

namespace {

// The same two, spelled out for the same reason.
const IID kIIDUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIIDDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

DelegatingAccessible::DelegatingAccessible(HWND window) : window_(window) {
  void* standard = nullptr;
  if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, kIIDAccessible, &standard)))
    standard_ = static_cast<IAccessible*>(standard);
}

DelegatingAccessible::~DelegatingAccessible() {
  if (standard_) standard_->Release();
}

HRESULT DelegatingAccessible::AnswerText(std::wstring_view text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT DelegatingAccessible::AnswerNumber(long value, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

HRESULT DelegatingAccessible::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, kIIDUnknown) || IsEqualIID(iid, kIIDDispatch) || IsEqualIID(iid, kIIDAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  // What the standard object offers besides (IEnumVARIANT over the children,
  // IOleWindow) is its own business.
  return standard_ ? standard_->QueryInterface(iid, object) : E_NOINTERFACE;
}

ULONG DelegatingAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG DelegatingAccessible::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT DelegatingAccessible::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT DelegatingAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT DelegatingAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT DelegatingAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

// Each question for the standard object; E_FAIL when there is none.
#define TALLIX_DELEGATE(call) return standard_ ? standard_->call : E_FAIL

HRESULT DelegatingAccessible::get_accParent(IDispatch** parent) { TALLIX_DELEGATE(get_accParent(parent)); }
HRESULT DelegatingAccessible::get_accChildCount(long* count) { TALLIX_DELEGATE(get_accChildCount(count)); }
HRESULT DelegatingAccessible::get_accChild(VARIANT child, IDispatch** object) {
  TALLIX_DELEGATE(get_accChild(child, object));
}
HRESULT DelegatingAccessible::get_accName(VARIANT child, BSTR* name) { TALLIX_DELEGATE(get_accName(child, name)); }
HRESULT DelegatingAccessible::get_accValue(VARIANT child, BSTR* value) { TALLIX_DELEGATE(get_accValue(child, value)); }
HRESULT DelegatingAccessible::get_accDescription(VARIANT child, BSTR* description) {
  TALLIX_DELEGATE(get_accDescription(child, description));
}
HRESULT DelegatingAccessible::get_accRole(VARIANT child, VARIANT* role) { TALLIX_DELEGATE(get_accRole(child, role)); }
HRESULT DelegatingAccessible::get_accState(VARIANT child, VARIANT* state) {
  TALLIX_DELEGATE(get_accState(child, state));
}
HRESULT DelegatingAccessible::get_accHelp(VARIANT child, BSTR* help) { TALLIX_DELEGATE(get_accHelp(child, help)); }
HRESULT DelegatingAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  TALLIX_DELEGATE(get_accHelpTopic(file, child, topic));
}
HRESULT DelegatingAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  TALLIX_DELEGATE(get_accKeyboardShortcut(child, shortcut));
}
HRESULT DelegatingAccessible::get_accFocus(VARIANT* child) { TALLIX_DELEGATE(get_accFocus(child)); }
HRESULT DelegatingAccessible::get_accSelection(VARIANT* children) { TALLIX_DELEGATE(get_accSelection(children)); }
HRESULT DelegatingAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  TALLIX_DELEGATE(get_accDefaultAction(child, action));
}
HRESULT DelegatingAccessible::accSelect(long flags, VARIANT child) { TALLIX_DELEGATE(accSelect(flags, child)); }
HRESULT DelegatingAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  TALLIX_DELEGATE(accLocation(left, top, width, height, child));
}
HRESULT DelegatingAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
  TALLIX_DELEGATE(accNavigate(direction, start, end));
}
HRESULT DelegatingAccessible::accHitTest(long x, long y, VARIANT* child) { TALLIX_DELEGATE(accHitTest(x, y, child)); }
HRESULT DelegatingAccessible::accDoDefaultAction(VARIANT child) { TALLIX_DELEGATE(accDoDefaultAction(child)); }
HRESULT DelegatingAccessible::put_accName(VARIANT child, BSTR name) { TALLIX_DELEGATE(put_accName(child, name)); }
HRESULT DelegatingAccessible::put_accValue(VARIANT child, BSTR value) { TALLIX_DELEGATE(put_accValue(child, value)); }

#undef TALLIX_DELEGATE

LRESULT AnswerGetObject(DelegatingAccessible* object, WPARAM wParam) {
  if (!object) return 0;
  const LRESULT answer = object->HasStandard() ? LresultFromObject(kIIDAccessible, wParam, object) : 0;
  object->Release();
  return answer > 0 ? answer : 0;
}

}  // namespace tallix::ui
