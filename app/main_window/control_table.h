#pragma once
// Every control of the main window as a row of the form framework's table:
// what it is, where it sits and how it is labelled. Keys and option buttons
// carry the keypad key they stand for as their control value. The window is
// created from this table, and the tests check the window against it.
#include <windows.h>

#include <optional>
#include <span>

#include "engine/keypad.h"
#include "ui/form.h"

namespace tallix {

struct TooltipSpec {
  int id;
  const wchar_t* text;
};

namespace fonts {
inline constexpr wchar_t kPane[] = L"Arial,-12,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr wchar_t kTahoma12[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr wchar_t kTahoma11[] = L"Tahoma,-11,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr wchar_t kF1[] = L"Tahoma,-13,0,0,0,700,0,0,0,0,3,2,1,34";
inline constexpr wchar_t kF2[] = L"Tahoma,-13,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr const wchar_t* kF3 = kTahoma12;
inline constexpr const wchar_t* kF4 = kTahoma11;
inline constexpr wchar_t kTape[] = L"Courier New,-12,0,0,0,400,0,0,0,0,3,2,1,49";
inline constexpr wchar_t kTime[] = L"Tahoma,-15,0,0,0,400,0,0,0,0,3,2,1,34";
inline constexpr wchar_t kReset[] = L"Tahoma,-9,0,0,0,400,0,0,0,0,3,2,1,34";
}  // namespace fonts

// In creation order.
std::span<const ui::ControlSpec> MainWindowControls();
const ui::ControlSpec* FindControl(int id);
// The keypad key a key or option button stands for; nullopt for the others.
std::optional<Key> KeyOfControl(int id);
// In the order the tools are added.
std::span<const TooltipSpec> MainWindowTooltips();

}  // namespace tallix
