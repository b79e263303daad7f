#include "app/main_window/tape_commands.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/out_of_topmost_band.h"
#include "app/tape/apply_loaded_tape.h"
#include "app/tape/tape_file.h"
#include "app/tape/tape_print.h"
#include "engine/settings_keys.h"
#include "services/printer_session.h"
#include "ui/control_helpers.h"
#include "ui/utf8_text.h"

namespace tallix {

namespace {

constexpr wchar_t kTapeFilter[] = L"Text files (*.txt)|*.txt|All files (*.*)|*.*";
constexpr wchar_t kTapeExtension[] = L"txt";
constexpr char kDefaultTapeName[] = "TallixTape.txt";

// The file last chosen in either dialog, else TallixTape.txt beside Tallix.ini.
// Read each time, as another Tallix window may have chosen one since.
std::wstring InitialTapeFile(MainWindowContext& main) {
  const std::string& settings = main.SettingsPath();
  const std::string folder = settings.substr(0, settings.find_last_of("\\/") + 1);
  return ui::Utf8ToWide(main.Settings().Read(main_keys::kSection, main_keys::kLastTapeFile, folder + kDefaultTapeName));
}

// The chosen path (UTF-8), remembered for the next dialog; empty when cancelled.
std::string ChosenTapeFile(MainWindowContext& main, const std::wstring& chosen) {
  if (chosen.empty()) return {};
  std::string path = ui::WideToUtf8(chosen);
  main.Settings().Write(main_keys::kSection, main_keys::kLastTapeFile, path);
  return path;
}

void Tell(MainWindowContext& main, const std::string& message, UINT icon) {
  MessageBoxW(main.Owner(), ui::Utf8ToWide(message).c_str(), L"Tallix", MB_OK | icon | MB_TASKMODAL | MB_SETFOREGROUND);
}

// A loaded tape can hold a million lines: the list takes them with its drawing
// held back and its storage reserved in one step, and the wait cursor says
// that the window is busy meanwhile.
class TapeListFilling {
 public:
  TapeListFilling(HWND owner, const std::vector<std::string>& lines) : list_(GetDlgItem(owner, ids::kTapeList)) {
    std::size_t characters = 0;
    for (const std::string& line : lines) characters += line.size() + 1;
    previousCursor_ = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_INITSTORAGE, lines.size(), characters * sizeof(wchar_t));
  }
  ~TapeListFilling() {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    SetCursor(previousCursor_);
  }
  TapeListFilling(const TapeListFilling&) = delete;
  TapeListFilling& operator=(const TapeListFilling&) = delete;

 private:
  HWND list_;
  HCURSOR previousCursor_;
};

}  // namespace

void RunSaveTape(MainWindowContext& main) {
  const std::string path = ChosenTapeFile(
      main, ui::SaveFileDialog(main.Owner(), L"Save File As", kTapeFilter, kTapeExtension, InitialTapeFile(main)));
  if (path.empty()) return;
  const TapeFileResult saved =
      SaveTapeFile(path, main.TapeLines(), main.CalculatorHost().GetDisplayText(),
                   main.CalculatorEngine().state().lastTotal, LocalTapeStampNow());
  Tell(main, saved.message, saved.ok ? 0 : MB_ICONERROR);
}

void RunLoadTape(MainWindowContext& main) {
  const std::string path = ChosenTapeFile(
      main, ui::OpenFileDialog(main.Owner(), L"Open Tape File", kTapeFilter, kTapeExtension, InitialTapeFile(main)));
  if (path.empty()) return;
  const TapeLoadResult loaded = LoadTapeFile(path);
  if (!loaded.result.ok) return Tell(main, loaded.result.message, MB_ICONERROR);
  TapeListFilling filling(main.Owner(), loaded.tape.lines);
  ApplyLoadedTape(loaded.tape, main.CalculatorEngine(), main.CalculatorHost());
}

void RunPrintTape(MainWindowContext& main) {
  PrinterSession printer;
  bool attached = false;
  {
    OutOfTopmostBand dialogShows(main);
    attached = printer.Attach(main.Owner());
  }
  if (attached) {
    PrintTapeReport(*printer.layout(), main.TapeLines(), LocalTapeStampNow());
    printer.Close();
  }
  if (!printer.error().empty()) Tell(main, "The tape could not be printed: " + printer.error() + ".", MB_ICONERROR);
}

}  // namespace tallix
