#include "app/main_window/tape_commands.h"

#include <windows.h>

#include <new>
#include <string>
#include <vector>

#include "app/main_window/control_ids.h"
#include "app/main_window/tape_list.h"
#include "app/tape/apply_loaded_tape.h"
#include "app/tape/tape_csv.h"
#include "app/tape/tape_file.h"
#include "app/tape/tape_print.h"
#include "engine/settings_keys.h"
#include "services/printer_session.h"
#include "side_window/topmost_band.h"
#include "side_window/wide_text.h"
#include "ui/control_helpers.h"
#include "ui/stepped_work.h"
#include "ui/utf8_text.h"

namespace tallix {

namespace {

constexpr wchar_t kTapeFilter[] = L"Text files (*.txt)|*.txt|All files (*.*)|*.*";
constexpr wchar_t kTapeExtension[] = L"txt";
constexpr char kDefaultTapeName[] = "TallixTape.txt";

// The file last chosen in either dialog, else TallixTape.txt beside Tallix.ini.
// Read each time, as another Tallix window may have chosen one since.
std::string SettingsFolder(MainWindowContext& main) {
  const std::string& settings = main.SettingsPath();
  return settings.substr(0, settings.find_last_of("\\/") + 1);
}

std::wstring InitialTapeFile(MainWindowContext& main) {
  return ui::ShownText(
      main.Settings().Read(main_keys::kSection, main_keys::kLastTapeFile, SettingsFolder(main) + kDefaultTapeName));
}

// The chosen path (UTF-8), remembered for the next dialog; empty when cancelled.
std::string ChosenTapeFile(MainWindowContext& main, const std::wstring& chosen) {
  if (chosen.empty()) return {};
  std::string path = file_io::Utf8FromWide(chosen);
  main.Settings().Write(main_keys::kSection, main_keys::kLastTapeFile, path);
  return path;
}

void Tell(MainWindowContext& main, const std::wstring& message, UINT icon) {
  MessageBoxW(main.Owner(), message.c_str(), L"Tallix", MB_OK | icon | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Tell(MainWindowContext& main, const std::string& message, UINT icon) { Tell(main, ui::ShownText(message), icon); }

// Lines handed to the tape list between two looks at the clock.
constexpr std::size_t kLinesPerStep = 500;

std::wstring GroupedCount(std::size_t count) {
  std::wstring digits = std::to_wstring(count);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), L",");
  return digits;
}

void SaveTapeTo(MainWindowContext& main, const std::string& path) {
  const TapeFileResult saved = SaveTapeFile(path, main.TapeLines(), main.CalculatorHost().GetDisplayText(),
                                            main.CalculatorEngine().state().lastTotal, LocalTapeStampNow());
  Tell(main, saved.message, saved.ok ? 0 : MB_ICONERROR);
}

}  // namespace

void LoadTapeFrom(MainWindowContext& main, const std::string& path) {
  const TapeLoadResult loaded = LoadTapeFile(path);
  if (!loaded.result.ok) return Tell(main, loaded.result.message, MB_ICONERROR);
  TapeListDrawingHeld held(main.Control(ids::kTapeList));
  // Grown once: a million lines moved at each doubling would stall the window.
  main.KeptTapeLines().reserve(main.KeptTapeLines().size() + loaded.tape.lines.size());
  LoadedTapeApplier applier(loaded.tape, main.CalculatorEngine(), main.CalculatorHost());
  ui::SteppedWork work;
  work.step = [&applier] { return applier.Step(kLinesPerStep); };
  work.doneFraction = [&applier] {
    return applier.linesTotal() ? static_cast<double>(applier.linesApplied()) / applier.linesTotal() : 1.0;
  };
  work.caption = L"Load Tape";
  work.text = L"Loading " + GroupedCount(applier.linesTotal()) + L" lines from " + ui::ShownText(path);
  ui::RunSteppedWork(main.Owner(), work);
}

void RunSaveTape(MainWindowContext& main) {
  const std::string path = ChosenTapeFile(
      main, ui::SaveFileDialog(main.Owner(), L"Save File As", kTapeFilter, kTapeExtension, InitialTapeFile(main)));
  if (!path.empty()) SaveTapeTo(main, path);
}

void RunLoadTape(MainWindowContext& main) {
  const std::string path = ChosenTapeFile(
      main, ui::OpenFileDialog(main.Owner(), L"Open Tape File", kTapeFilter, kTapeExtension, InitialTapeFile(main)));
  if (!path.empty()) LoadTapeFrom(main, path);
}

void RunExportTape(MainWindowContext& main) {
  const std::wstring chosen =
      ui::SaveFileDialog(main.Owner(), L"Export Tape", L"CSV files (*.csv)|*.csv|All files (*.*)|*.*", L"csv",
                         ui::ShownText(SettingsFolder(main) + "TallixTape.csv"));
  if (chosen.empty()) return;
  const TapeFileResult exported =
      ExportTapeCsv(file_io::Utf8FromWide(chosen), main.TapeLines(), TapeStartRadix(main.CalculatorEngine()));
  Tell(main, exported.message, exported.ok ? 0 : MB_ICONERROR);
}

void RunCopyTape(MainWindowContext& main) {
  const std::vector<std::string>& lines = main.KeptTapeLines();
  bool copied = false;
  try {
    copied = ui::SetClipboardTextAndCsv(main.Owner(), Wide(FormatTapeLines(lines)),
                                        Wide(TapeCsvRows(lines, TapeStartRadix(main.CalculatorEngine()))));
  } catch (const std::bad_alloc&) {
    // As full a clipboard as a busy one: nothing was placed.
  }
  if (!copied) Tell(main, ui::ClipboardBusyMessage(L"tape"), MB_ICONERROR);
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
