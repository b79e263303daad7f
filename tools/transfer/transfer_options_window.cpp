#include "tools/transfer/transfer_options_window.h"

#include <string>

#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/form.h"
#include "ui/utf8_text.h"

namespace tallix::transfer {

namespace {

constexpr wchar_t kFont[] = L"MS Sans Serif,-11,0,0,0,400,0,0,0,0,1,2,1,34";

enum Control : int { kSizeLabel = 1000, kSizeField = 1001, kDeleteOption = 1002 };

class TransferOptionsForm final : public ui::FormDefinition {
 public:
  TransferOptionsForm(const TransferChoice& proposal, std::optional<std::uint64_t> freeBytes)
      : proposal_(proposal), freeBytes_(freeBytes), choice_{0, proposal.deleteWhenFinished} {
    name = L"FTS2";
    caption = L"File Transfer Calculator Options";
    style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    width = 226;
    height = 160;
    controls = {
        ui::Static(kSizeLabel, L"Filesize in Megabytes:", {17, 24, 110, 18}, kFont),
        ui::Edit(kSizeField, L"", {127, 21, 58, 19}, kFont),
        ui::CheckBox(kDeleteOption, L"Delete this file when finished", {18, 51, 162, 15}, kFont),
        ui::PushButton(IDOK, L"OK", {38, 85, 66, 25}, kFont, true),
        ui::PushButton(IDCANCEL, L"Cancel", {123, 85, 66, 25}, kFont),
    };
    OnClick(IDOK, [this] { Accept(); });
    OnClick(IDCANCEL, [this] { ui::CloseForm(window, IDCANCEL); });
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    ui::SetText(GetDlgItem(form, kSizeField), std::to_wstring(proposal_.fileSize));
    ui::SetChecked(GetDlgItem(form, kDeleteOption), proposal_.deleteWhenFinished);
    ui::FocusControl(GetDlgItem(form, IDOK));
    ui::FocusControl(GetDlgItem(form, kSizeField));
    return 0;
  }

  const TransferChoice& choice() const { return choice_; }

 private:
  void Accept() {
    const SizeEntry entry =
        ReadSizeEntry(file_io::Utf8FromWide(ui::GetText(GetDlgItem(window, kSizeField))), freeBytes_);
    if (entry.kind == SizeEntry::Kind::kRefused) {
      MessageBoxW(window, ui::ShownText(entry.message).c_str(), L"Tallix", MB_OK | MB_ICONWARNING);
      ui::FocusControl(GetDlgItem(window, kSizeField));
      return;
    }
    choice_ = {entry.mebibytes, ui::IsChecked(GetDlgItem(window, kDeleteOption)) != 0};
    ui::CloseForm(window, IDOK);
  }

  TransferChoice proposal_;
  std::optional<std::uint64_t> freeBytes_;
  TransferChoice choice_;  // a file size of 0 until OK accepts one
};

}  // namespace

TransferChoice AskTransferOptions(HWND owner, const TransferChoice& proposal, std::optional<std::uint64_t> freeBytes) {
  TransferOptionsForm form(proposal, freeBytes);
  ui::ShowForm(form, owner, /*modal=*/true);
  return form.choice();
}

}  // namespace tallix::transfer
