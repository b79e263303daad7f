// The two free-form strings of forms and controls: zero-terminated copies on
// the process heap, freed with the window's state.
#include "ui/form_parts.h"

namespace tallix::ui {
namespace {

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

}  // namespace

void SetTagProperty(HWND window, const wchar_t* text) { ReplaceTag(window, kTagProperty, text); }
void SetTagProperty2(HWND window, const wchar_t* text) { ReplaceTag(window, kTagProperty2, text); }
std::wstring GetTagProperty(HWND window) { return ReadTag(window, kTagProperty); }
std::wstring GetTagProperty2(HWND window) { return ReadTag(window, kTagProperty2); }

void ReleaseTags(HWND window) {
  for (const wchar_t* property : {kTagProperty, kTagProperty2})
    if (void* text = RemovePropW(window, property)) HeapFree(GetProcessHeap(), 0, text);
}

}  // namespace tallix::ui
