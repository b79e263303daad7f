#include "ui/input_box.h"

#include "ui/accessible_name.h"
#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/form.h"

namespace tallix::ui {
namespace {

constexpr wchar_t kFont[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
enum Control : int { kPrompt = 1000, kAnswer = 1001 };

class InputBoxForm final : public FormDefinition {
 public:
  InputBoxForm(const std::wstring& prompt, const std::wstring& title, const std::wstring& defaultText,
               const InputRefusal& refusal)
      : prompt_(prompt), defaultText_(defaultText) {
    name = L"INPUTBOX";
    caption = title;
    width = 360;
    height = 150;
    controls = {
        Static(kPrompt, L"", {10, 10, 250, 60}, kFont),
        PushButton(IDOK, L"OK", {270, 8, 72, 24}, kFont, true),
        PushButton(IDCANCEL, L"Cancel", {270, 38, 72, 24}, kFont),
        // The prompt is its label, though the buttons come between.
        Named(Edit(kAnswer, L"", {10, 80, 332, 22}, kFont), NameFromLabel(prompt)),
    };
    OnClick(IDOK, [this, refusal, title] {
      HWND field = GetDlgItem(window, kAnswer);
      const std::wstring typed = GetText(field);
      if (const std::wstring why = refusal ? refusal(typed) : std::wstring(); !why.empty()) {
        MessageBoxW(window, why.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
        FocusControl(field);
        return;
      }
      answer = typed;
      CloseForm(window, IDOK);
    });
    OnClick(IDCANCEL, [this] { CloseForm(window, IDCANCEL); });
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    SetText(GetDlgItem(form, kPrompt), prompt_);
    SetText(GetDlgItem(form, kAnswer), defaultText_);
    FocusControl(GetDlgItem(form, kAnswer));
    return 0;
  }

  std::wstring answer;

 private:
  std::wstring prompt_;
  std::wstring defaultText_;
};

}  // namespace

std::wstring InputBox(HWND owner, const std::wstring& prompt, const std::wstring& title,
                      const std::wstring& defaultText, const InputRefusal& refusal) {
  InputBoxForm form(prompt, title, defaultText, refusal);
  return ShowForm(form, owner, /*modal=*/true) == IDOK ? form.answer : std::wstring();
}

}  // namespace tallix::ui
