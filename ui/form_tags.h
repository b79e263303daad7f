#pragma once
// Two free-form strings every form and framework control carries, in the
// window properties "FLY_TAGPROPERTY" and "FLY_TAGPROPERTY2".
#include <windows.h>

#include <string>

namespace tallix::ui {

inline constexpr wchar_t kTagProperty[] = L"FLY_TAGPROPERTY";
inline constexpr wchar_t kTagProperty2[] = L"FLY_TAGPROPERTY2";

void SetTagProperty(HWND window, const wchar_t* text);
void SetTagProperty2(HWND window, const wchar_t* text);
std::wstring GetTagProperty(HWND window);
std::wstring GetTagProperty2(HWND window);
// Frees both strings; the window is being destroyed.
void ReleaseTags(HWND window);

}  // namespace tallix::ui
