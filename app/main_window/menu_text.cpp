#include "app/main_window/menu_text.h"

namespace tallix {

std::wstring MenuItemCaption(std::wstring_view text) {
  text = text.substr(0, text.find(L'\t'));
  std::wstring caption;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && ++i == text.size()) break;
    caption += text[i];
  }
  return caption;
}

std::wstring MenuItemWithShortcut(std::wstring_view text, std::wstring_view shortcut) {
  std::wstring item(text.substr(0, text.find(L'\t')));
  if (!shortcut.empty()) item.append(L"\t").append(shortcut);
  return item;
}

}  // namespace tallix
