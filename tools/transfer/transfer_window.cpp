#include "tools/transfer/transfer_window.h"

#include <windows.h>

#include <memory>
#include <string>

#include "side_window/topmost_band.h"
#include "side_window/wide_text.h"
#include "tools/transfer/folder_browser_win.h"
#include "tools/transfer/host_identity_win.h"
#include "tools/transfer/transfer_options_window.h"
#include "tools/transfer/transfer_print_win.h"
#include "tools/transfer/transfer_session.h"
#include "tools/transfer/transfer_window_ids.h"
#include "ui/accessible_name.h"
#include "ui/control_helpers.h"
#include "ui/control_presets.h"
#include "ui/form.h"
#include "ui/scaling.h"
#include "ui/utf8_text.h"
#include "ui/window_kit.h"

namespace tallix::transfer {

namespace {

constexpr wchar_t kFormName[] = L"FTS1";
constexpr wchar_t kBold[] = L"Tahoma,-12,0,0,0,700,0,0,0,0,3,2,1,34";
constexpr wchar_t kRegular[] = L"Tahoma,-12,0,0,0,400,0,0,0,0,3,2,1,34";
constexpr wchar_t kHeading[] = L"Tahoma,-13,0,0,0,700,0,0,0,0,3,2,1,34";
constexpr wchar_t kNote[] = L"Tahoma,-11,0,0,0,400,0,0,0,1,3,2,1,34";
constexpr wchar_t kButton[] = L"MS Sans Serif,-11,0,0,0,400,0,0,0,0,1,2,1,34";
constexpr int kRowTops[] = {128, 152, 176, 200, 224};
constexpr const wchar_t* kFigureLabels[] = {L"Packet length:", L"Time to complete:", L"Bytes per second:",
                                            L"Bits per second:", L"Mbps:"};

ui::ControlSpec Label(int id, const wchar_t* text, int top, const wchar_t* font) {
  return ui::Static(id, text, {14, top, 112, 16}, font, SS_RIGHT);
}

// Read-only, scrolling with its text, sunken; not a tab stop.
ui::ControlSpec ValueField(int id, ui::Place place) {
  ui::ControlSpec row = ui::Edit(id, L"", place, kRegular);
  row.style = (row.style & ~WS_TABSTOP) | ES_READONLY;
  row.properties.selectAllOnFocus = false;
  return row;
}

ui::ControlSpec Button(int id, const wchar_t* caption, int left) {
  ui::ControlSpec row = ui::PushButton(id, caption, {left, 312, 88, 32}, kButton);
  row.style |= BS_CENTER | BS_NOTIFY;
  return row;
}

std::vector<ui::ControlSpec> Controls() {
  std::vector<ui::ControlSpec> rows = {
      Label(1002, L"Computer Name:", 21, kBold),
      ValueField(ids::kComputerName, {132, 21, 253, 18}),
      Label(1004, L"IP Address:", 45, kBold),
      ValueField(ids::kIpAddress, {132, 45, 253, 18}),
      Label(1006, L"Folder:", 69, kBold),
      ValueField(ids::kFolder, {132, 69, 253, 18}),
      ui::Static(1008, L"Writing", {132, 104, 112, 16}, kHeading, SS_CENTER),
      ui::Static(1009, L"Reading", {273, 104, 112, 16}, kHeading, SS_CENTER),
  };
  for (int row = 0; row < 5; ++row)
    rows.push_back(Label(1010 + row, kFigureLabels[row], kRowTops[row], row == 4 ? kBold : kRegular));
  // A figure is named by its column and its row: "Reading Mbps".
  const auto figure = [](int id, int left, const wchar_t* column, int row) {
    return ui::Named(ValueField(id, {left, kRowTops[row], 112, 18}), column + ui::NameFromLabel(kFigureLabels[row]));
  };
  for (int row = 0; row < 5; ++row) rows.push_back(figure(ids::kWritingFields + row, 132, L"Writing ", row));
  for (int row = 0; row < 5; ++row) rows.push_back(figure(ids::kReadingFields + row, 273, L"Reading ", row));
  rows.push_back(Label(1025, L"Status:", 267, kBold));
  rows.push_back(ValueField(ids::kStatus, {132, 268, 253, 18}));
  // Where the read figures are the file cache's rather than the device's.
  rows.push_back(ui::Static(ids::kReadNote, L"", {14, 246, 371, 16}, kNote, SS_RIGHT));
  rows.push_back(ui::Disabled(Button(ids::kPrintResults, L"Print Results", 19)));
  rows.push_back(Button(ids::kExit, L"Exit", 160));
  rows.push_back(Button(ids::kStartTest, L"Start Test", 296));
  return rows;
}

class TransferForm final : public ui::FormDefinition, private TransferView {
 public:
  explicit TransferForm(SideWindowContext& main) : main_(main) {
    name = kFormName;
    caption = L"File Transfer / Network Performance Calculator";
    style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    iconName = L"IMAGE_GENERAL";
    width = 410;
    height = 384;
    controls = Controls();
    OnClick(ids::kStartTest, [this] {
      // A click that reaches the button while its own run asks a question
      // (a message sent past the disabled button) starts nothing.
      if (running_) return;
      running_ = true;
      session_->Start();
      running_ = false;
      if (closeAfterRun_ && IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    });
    OnClick(ids::kExit, [this] { ui::CloseForm(window, ids::kExit); });
    OnClick(ids::kPrintResults, [this] { Print(); });
  }

  LRESULT OnCreate(HWND form, LPARAM) override {
    closeAfterRun_ = false;  // the form is shown again after a close
    session_ = std::make_unique<TransferSession>(*files_, clock_, static_cast<TransferView&>(*this), '\\');
    const std::wstring version = ui::GetWindowsVersionText();
    const bool olderFrames =
        version.rfind(L"Microsoft Windows 2000", 0) == 0 || version.rfind(L"Microsoft Windows 98", 0) == 0;
    // The frames of those systems are thinner.
    ui::SetFormOuterSize(form, olderFrames ? 410 : 413, olderFrames ? 381 : 387);
    const HostIdentity host = ReadHostIdentity();
    SetField(ids::kComputerName, host.name);
    SetField(ids::kIpAddress, host.address);
    ui::FocusControl(Control(ids::kStartTest));
    return 0;
  }

  // Closed during a test: the run stops and removes its file, then the window
  // closes. A folder browser still open is cancelled, so nothing follows it.
  bool OnMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) override {
    if (message != WM_CLOSE || !running_) return false;
    session_->RequestStop();
    closeAfterRun_ = true;
    if (browser_) PostMessageW(browser_, WM_COMMAND, IDCANCEL, 0);
    result = 0;
    return true;
  }

 private:
  HWND Control(int id) const { return GetDlgItem(window, id); }
  void SetField(int id, const std::string& text) { ui::SetText(Control(id), ui::ShownText(text)); }

  // Modal to this window, with Start Test off while it is open.
  std::string ChooseFolder() override {
    EnableWindow(Control(ids::kStartTest), FALSE);
    std::wstring folder;
    {
      const OutOfTopmostBand dialogShows(main_);
      folder = BrowseForFolder(window, L"Select destination folder...", &browser_);
    }
    // The window went, or is closing: the choice has nothing left to serve.
    if (!IsWindow(window) || closeAfterRun_) return {};
    EnableWindow(Control(ids::kStartTest), TRUE);
    ui::FocusControl(Control(ids::kStartTest));
    return file_io::Utf8FromWide(folder);
  }

  TransferChoice ChooseOptions(const std::string&, const TransferChoice& proposal,
                               std::optional<std::uint64_t> room) override {
    return AskTransferOptions(window, proposal, room);
  }

  void EnableButtons(bool enabled) override {
    for (int id : {ids::kStartTest, ids::kExit, ids::kPrintResults}) EnableWindow(Control(id), enabled);
    if (enabled) ui::FocusControl(Control(ids::kStartTest));
  }

  void ShowFolder(const std::string& folder) override { SetField(ids::kFolder, folder); }

  void ShowStatus(const std::string& status) override {
    SetField(ids::kStatus, status);
    ui::RepaintNow(window);
    // Answers the system's "is it alive" question without taking any input,
    // so that a long run is not shown as hung.
    MSG ignored;
    PeekMessageW(&ignored, nullptr, 0, 0, PM_NOREMOVE);
    if (CloseQueued()) {
      session_->RequestStop();
      closeAfterRun_ = true;
    }
  }

  // A click on the close box, Alt+F4 or the system menu's Close waiting in the
  // queue: the run stops at once, and the window closes once the run has
  // removed its file. Keys pressed with Alt meanwhile are taken from the queue
  // to find F4 among them; no other input is taken during a run.
  bool CloseQueued() {
    const auto ours = [this](const MSG& message) { return message.hwnd == window || IsChild(window, message.hwnd); };
    MSG waiting;
    bool asked = PeekMessageW(&waiting, nullptr, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_NOREMOVE) && ours(waiting) &&
                 waiting.wParam == HTCLOSE;
    asked = asked || (PeekMessageW(&waiting, nullptr, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_NOREMOVE) && ours(waiting) &&
                      (waiting.wParam & 0xFFF0) == SC_CLOSE);
    while (PeekMessageW(&waiting, window, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE)) {
      asked = asked || (ours(waiting) && waiting.wParam == VK_F4);
    }
    return asked;
  }

  void ShowColumn(Column column, const ColumnTexts& texts, const std::string& caveat) override {
    const int first = column == Column::kWriting ? ids::kWritingFields : ids::kReadingFields;
    for (int row = 0; row < 5; ++row) SetField(first + row, texts[row]);
    if (column == Column::kReading) {
      readCaveat_ = caveat;
      SetField(ids::kReadNote, caveat.empty() ? "" : "Reading: " + caveat);
    }
    ui::RepaintNow(window);
  }

  void Tell(const std::string& message) override {
    MessageBoxW(window, ui::ShownText(message).c_str(), L"Tallix", MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
  }

  void Print() {
    // The report takes the fields as they stand, in the printer's code page.
    const auto field = [this](int id) { return Cp1252FromWide(ui::GetText(Control(id))); };
    ReportFields fields;
    fields.computerName = field(ids::kComputerName);
    fields.ipAddress = field(ids::kIpAddress);
    fields.folder = field(ids::kFolder);
    for (int row = 0; row < 5; ++row) {
      fields.writing[row] = field(ids::kWritingFields + row);
      fields.reading[row] = field(ids::kReadingFields + row);
    }
    fields.readCaveat = readCaveat_;
    const std::string status = field(ids::kStatus);
    if (status != "Finished") fields.failure = status;
    {
      const OutOfTopmostBand dialogShows(main_);
      PrintTransferResults(window, fields);
    }
    ui::FocusControl(Control(ids::kStartTest));
  }

  SideWindowContext& main_;
  std::unique_ptr<FileSystem> files_ = SystemFileSystem();
  SteadyClock clock_;
  std::unique_ptr<TransferSession> session_;
  bool running_ = false;  // inside "Start Test", dialogs included
  bool closeAfterRun_ = false;
  HWND browser_ = nullptr;  // the folder browser while it is open
  std::string readCaveat_;  // as the note under the reading column says it
};

}  // namespace

void OpenTransferWindow(SideWindowContext& main) {
  std::unique_ptr<ui::FormDefinition>& kept = main.SideForm(kFormName);
  if (!kept) kept = std::make_unique<TransferForm>(main);
  ui::ShowOrFocusForm(*kept, main.Owner());
}

}  // namespace tallix::transfer
