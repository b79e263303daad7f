#pragma once
// The main window's object, shared by the files that implement it: creation,
// layout and command handlers (main_window.cpp), the engine's services on the
// controls (window_host.cpp), the key sink (key_sink.cpp) and the tape's
// drawing (tape_drawing.cpp).
#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/main_window/layout.h"
#include "app/main_window/main_window_context.h"
#include "app/main_window/tape_tip.h"
#include "app/settings/ini_file.h"
#include "app/stopwatch/stopwatch.h"
#include "app/tape/tape_journal.h"
#include "engine/engine.h"
#include "engine/engine_host.h"
#include "ui/form.h"

namespace tallix {

// The form of the main window, the engine's host and the side windows'
// context in one: the engine's services are the window's controls.
class MainWindow final : public ui::FormDefinition, public EngineHost, public MainWindowContext {
 public:
  explicit MainWindow(std::string settingsPath);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // FormDefinition.
  LRESULT OnCreate(HWND form, LPARAM value) override;
  bool OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnDpiChanged(HWND form, int dpi) override;
  LRESULT OnKeyPreview(HWND control, const MSG& message) override;
  // Edit > Add Note... and the note key: the box, then the note on the tape.
  void AskAndAddNote();

  // MainWindowContext.
  HWND Owner() const override { return window; }
  Engine& CalculatorEngine() override { return engine_; }
  EngineHost& CalculatorHost() override { return *this; }
  std::vector<std::string> TapeLinesFrom(std::size_t first) const override;
  std::vector<std::string>& KeptTapeLines() override { return tapeLines_; }
  void MarkTapeLine(std::optional<std::size_t> line, std::wstring_view spoken) override;
  std::optional<std::size_t> MarkedTapeLine() const override { return markedLine_; }
  SettingsPort& Settings() override { return settings_; }
  const std::string& SettingsPath() const override { return settings_.path(); }
  bool IsAlwaysOnTop() const override { return topMost_; }
  void SetAlwaysOnTop(bool on) override;
  HWND Control(int id) const override;
  void ShowLaptopLabel(bool shown) override;
  Stopwatch& BarStopwatch() override { return stopwatch_; }
  std::unique_ptr<ui::FormDefinition>& SideForm(std::wstring_view name) override {
    return sideForms_[std::wstring(name)];
  }
  std::optional<LastCorrectionUndo>& LastCorrection() override { return lastCorrection_; }

  // EngineHost.
  std::string GetDisplayText() override;
  void SetDisplayText(std::string_view text) override;
  void SetItemsText(std::string_view text) override;
  void SetAverageText(std::string_view text) override;
  std::string GetAverageText() override;
  void SetMemoryText(std::string_view text) override;
  void SetNumLockText(std::string_view text) override;
  std::string GetItemsText() override;
  std::string GetMemoryText() override;
  std::string GetNumLockText() override;
  bool IsNumLockOn() override;
  void ShowBank2Indicator(bool shown) override;
  bool IsBank2IndicatorShown() override;
  void EnableKey(Key key, bool enabled) override;
  void ShowKeyPressed(Key key, bool pressed) override;
  void CheckNumberSystemButton(int index) override;
  void CheckDecimalsMenuItem(int decimalSetting) override;
  void CheckDigitGroupingMenuItem(bool checked) override;
  void CheckAutoDecimalMenuItem(bool checked) override;
  void FocusKeySink() override;
  bool AskYesNo(std::string_view caption, std::string_view text) override;
  int AddTapeLine(std::string_view line) override;
  void SelectTapeLine(int index) override;
  void ClearTapeLines() override;
  void TapeLineWritten(std::string_view line) override;
  bool SetClipboardText(std::string_view text) override;
  std::string GetClipboardText() override;
  void StartStopStopwatch() override;
  void OpenHelp() override;
  void AskForNote() override;
  void PressWindowKey(Key key) override;
  void RunWindowCommand(MenuCommand command) override;
  bool IsFindOpen() override;

 private:
  void BindKeys();
  void BindMenus();
  // A key whose window or command lives outside the engine: the focus goes
  // back to the key sink first, so a side window that opens takes it over.
  void OnSideKey(int id, std::function<void(MainWindowContext&)> open);
  void OnDestroy();
  void LoadSettings();
  // Places the controls and sizes the window for the view's show flags.
  void ApplyLayout();
  // After the tape changed its size or its lines their height: a list keeps
  // its top line, which can leave the newest below its lower edge.
  void ShowNewestTapeLine();
  // Turns a check-mark item over, keeps it in Tallix.ini and shows it.
  void ToggleView(int menuId);
  // View > Theme: kept in Tallix.ini, every open window following at once.
  void ChooseTheme(ThemeChoice theme);
  void DrawMenuChecks();
  template <typename T>
  void ShowChoice(T& choice, T value) {
    choice = value;
    DrawMenuChecks();
  }
  // The View menu's commands apply to the decimal number system only.
  void OnDecimalCommand(int menuId, std::function<void()> action);
  // Tells the user what the tape journal says, once the window is free to.
  void ShowJournalNotice(const std::string& text);
  void ToggleAlwaysOnTop();
  void RefreshDatePane();
  void DrawTapeItem(const DRAWITEMSTRUCT& item);

  HWND KeyButton(Key key) const;
  bool IsNumberSystemOption(HWND control) const;
  void SetControlText(int id, std::string_view cp1252);
  std::string ControlText(int id) const;

  HMENU menu_ = nullptr;
  ViewState view_;
  IniSettings settings_;
  Engine engine_;
  std::array<HWND, kKeyCount> keyButtons_{};
  bool topMost_ = false;
  // Tab took the keyboard to the number system's options: the focus stays
  // there while the arrows choose.
  bool keyboardOnOptions_ = false;
  SteadyClock stopwatchClock_;
  Stopwatch stopwatch_{stopwatchClock_};
  // Declared last, so destroyed first: a side form may still refer to the rest.
  std::map<std::wstring, std::unique_ptr<ui::FormDefinition>> sideForms_;
  std::optional<LastCorrectionUndo> lastCorrection_;
  // What made the tape, kept beside Tallix.ini as it grows; taken up once
  // the window is shown.
  std::unique_ptr<TapeJournal> journal_;
  // What the journal has to tell the user, shown one box at a time once the
  // window is free to: it may speak in the middle of a key.
  std::vector<std::string> journalNotices_;
  // Control handles looked up once per window: under Wine GetDlgItem asks
  // the server each time, and a loaded tape takes one lookup per line.
  mutable std::unordered_map<int, HWND> controlHandles_;
  mutable HWND controlHandlesOf_ = nullptr;
  TapeLineTip tapeTip_;
  // The tape list's lines (see KeptTapeLines), and the one Find marked.
  std::vector<std::string> tapeLines_;
  std::optional<std::size_t> markedLine_;
};

}  // namespace tallix
