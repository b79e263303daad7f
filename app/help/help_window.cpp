#include "app/help/help_window.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <map>
#include <memory>

#include "app/about/version_text.h"
#include "app/help/help_topics.h"
#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/form.h"
#include "ui/utf8_text.h"

namespace tallix {
namespace {

constexpr wchar_t kTahoma12[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kTitleFont[] = L"Tahoma,-24,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kVersionFont[] = L"Tahoma,-11,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kTextFont[] = L"Arial,-12,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kFormName[] = L"FORM8";

enum Control : int { kTree = 1000, kTitle = 1001, kVersion = 1002, kIcon = 1003, kText = 1004 };

// Read-only, scrolled and wrapped: a multi-line field must not scroll
// sideways, or its lines would never wrap.
ui::ControlSpec TopicTextField(ui::Place place) {
  ui::ControlSpec row = ui::Edit(kText, L"", place, kTextFont);
  row.style = ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP;
  row.properties.selectAllOnFocus = false;
  return row;
}

class HelpForm final : public ui::FormDefinition {
 public:
  HelpForm() {
    name = kFormName;
    caption = L"Tallix Help";
    style |= WS_MINIMIZEBOX;
    width = 545;
    height = 354;
    controls = {
        ui::Named(ui::TreeView(kTree, {4, 56, 204, 264}, kTahoma12), L"Help Topics"),
        ui::Static(kTitle, L"Tallix", {68, 4, 76, 32}, kTitleFont),
        ui::Static(kVersion, L"", {68, 36, 140, 16}, kVersionFont),
        ui::IconStatic(kIcon, L"IMAGE_CALCULATOR3", {4, 4, 60, 48}, WS_BORDER),
        ui::Named(TopicTextField({212, 4, 324, 316}), L"Topic"),
    };
    Bind(WM_NOTIFY, kTree, TVN_SELCHANGEDW, [this](const ui::ControlEvent& event) -> LRESULT {
      const auto* change = reinterpret_cast<const NMTREEVIEWW*>(event.lParam);
      if (const auto text = HelpTopicText(static_cast<int>(change->itemNew.lParam))) {
        SetWindowTextW(GetDlgItem(window, kText), text->c_str());
      }
      return 0;
    });
    // Esc, as the dialog keys send it: the window has no button for it.
    OnCommand(IDCANCEL, [this] { ui::CloseForm(window, 0); });
  }

  HelpTopicId startTopic = HelpTopicId::Overview;

  LRESULT OnCreate(HWND form, LPARAM) override {
    SetWindowTextW(GetDlgItem(form, kVersion), VersionText().c_str());
    HWND tree = GetDlgItem(form, kTree);
    std::map<HelpTopicId, HTREEITEM> items;
    for (const HelpTopic& topic : HelpTopics()) {
      HTREEITEM parent = topic.parent == HelpTopicId::None ? TVI_ROOT : items[topic.parent];
      items[topic.id] = ui::TreeViewInsertItem(tree, parent, std::wstring(topic.title), static_cast<LPARAM>(topic.id));
    }
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items[startTopic]));
    return 0;
  }
};

HelpForm& FormOf(MainWindowContext& main) {
  std::unique_ptr<ui::FormDefinition>& kept = main.SideForm(kFormName);
  if (!kept) kept = std::make_unique<HelpForm>();
  return static_cast<HelpForm&>(*kept);
}

}  // namespace

void FocusOrOpenHelp(MainWindowContext& main) {
  HelpForm& form = FormOf(main);
  form.startTopic = HelpTopicId::Overview;
  ui::ShowOrFocusForm(form, main.Owner());
}

void ReopenHelp(MainWindowContext& main, HelpTopicId topic) {
  HelpForm& form = FormOf(main);
  if (IsWindow(form.window)) ui::CloseForm(form.window, 0);
  form.startTopic = topic;
  ui::ShowForm(form, main.Owner(), /*modal=*/false);
}

std::optional<std::wstring> HelpTopicText(int number) {
  for (const HelpTopic& topic : HelpTopics()) {
    if (static_cast<int>(topic.id) != number) continue;
    HRSRC found = FindResourceW(nullptr, topic.text, RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes) return std::nullopt;
    return ui::ShownText(HelpText({bytes, SizeofResource(nullptr, found)}));
  }
  return std::nullopt;
}

}  // namespace tallix
