#include "app/about/about_window.h"

#include "app/about/version_text.h"
#include "ui/control_presets.h"
#include "ui/form.h"

namespace tallix {
namespace {

constexpr wchar_t kTitleFont[] = L"Tahoma,-24,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kSmallFont[] = L"Tahoma,-11,0,0,0,400,0,0,0,1,0,0,0,0";

class AboutForm final : public ui::FormDefinition {
 public:
  AboutForm() {
    name = L"FORM3";
    caption = L"About Tallix";
    width = 318;
    height = 242;
    controls = {
        ui::Static(1000, L"Tallix", {40, 8, 96, 32}, kTitleFont),
        ui::Static(1001, L"", {40, 40, 120, 16}, kSmallFont),
        ui::SunkenLine(1003, {16, 164, 280, 2}),
        ui::IconStatic(1005, L"IMAGE_CALCULATOR3", {4, 12, 28, 32}),
        // Never shown: it is there so that Esc closes the window.
        ui::Hidden(ui::PushButton(IDCANCEL, L"Cancel", {240, 16, 56, 24}, nullptr)),
        ui::PushButton(IDOK, L"Ok", {228, 176, 64, 24}, kSmallFont, true),
    };
    OnClick(IDOK, [this] { ui::CloseForm(window, IDOK); });
    OnClick(IDCANCEL, [this] { ui::CloseForm(window, IDCANCEL); });
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    SetWindowTextW(GetDlgItem(form, 1001), VersionText().c_str());
    return 0;
  }
};

}  // namespace

void ShowAbout(HWND owner) {
  AboutForm form;
  ui::ShowForm(form, owner, /*modal=*/true);
}

}  // namespace tallix
