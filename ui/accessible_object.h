#pragma once
// An accessible object (MSAA) for a window's client area that answers what
// the window knows of itself and hands every other question to the system's
// standard object for the window. A window answers WM_GETOBJECT with one:
//
//   case WM_GETOBJECT:
//     if (static_cast<LONG>(lParam) == OBJID_CLIENT) return AnswerGetObject(new MyAccessible(window), wParam);
#include <windows.h>
// After windows.h, which it needs.
#include <oleacc.h>

#include <string_view>

namespace tallix::ui {

// {618736E0-3C3D-11CF-810C-00AA00389B71}. Defined here: the import library's
// static copy need not be the one the running oleacc compares against.
extern const IID kIIDAccessible;

class DelegatingAccessible : public IAccessible {
 public:
  explicit DelegatingAccessible(HWND window);
  DelegatingAccessible(const DelegatingAccessible&) = delete;
  DelegatingAccessible& operator=(const DelegatingAccessible&) = delete;

  bool HasStandard() const { return standard_ != nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: no type information; the IAccessible methods are called directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IAccessible, each handed to the standard object unless a subclass knows better.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 protected:
  virtual ~DelegatingAccessible();

  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  // S_OK with a copy of text, or S_FALSE and no string when text is empty.
  static HRESULT AnswerText(std::wstring_view text, BSTR* out);
  static HRESULT AnswerNumber(long value, VARIANT* out);

  HWND window_;
  IAccessible* standard_ = nullptr;

 private:
  LONG references_ = 1;
};

// WM_GETOBJECT's answer for `object` (whose reference it takes over): 0 when
// the standard object could not be made, so the system answers instead.
LRESULT AnswerGetObject(DelegatingAccessible* object, WPARAM wParam);

// Whether WM_GETOBJECT asks for the client area's object.
inline bool AsksForClient(LPARAM lParam) { return static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT); }

}  // namespace tallix::ui
