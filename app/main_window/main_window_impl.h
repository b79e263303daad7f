#pragma once
// The main window's object, shared by the files that implement it: creation,
// layout and command routing (main_window.cpp), the engine's services on the
// controls (window_host.cpp), the key sink (key_sink.cpp) and the tape's
// drawing (tape_drawing.cpp).
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "app/settings/ini_file.h"
#include "engine/engine.h"
#include "engine/engine_host.h"
#include "ui/form.h"

namespace tallix {

// The form of the main window and the engine's host in one: the engine's
// services are the window's controls.
class MainWindow final : public ui::FormDefinition, public EngineHost {
 public:
  explicit MainWindow(std::string settingsPath);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  Engine& engine() { return engine_; }
  const std::string& settingsPath() const { return settings_.path(); }
  bool alwaysOnTop() const { return topMost_; }
  void SetAlwaysOnTop(bool on);
  void ShowLaptopLabel(bool shown);

  // FormDefinition.
  void CreateControls(HWND form) override;
  LRESULT OnCreate(HWND form, LPARAM value) override;
  LRESULT OnControlEvent(const ui::ControlEvent& event) override;
  bool OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // EngineHost.
  std::string GetDisplayText() override;
  void SetDisplayText(std::string_view text) override;
  void SetItemsText(std::string_view text) override;
  void SetAverageText(std::string_view text) override;
  std::string GetAverageText() override;
  void SetMemoryText(std::string_view text) override;
  void SetNumLockText(std::string_view text) override;
  bool IsNumLockOn() override;
  void ShowBank2Indicator(bool shown) override;
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
  void SetClipboardText(std::string_view text) override;
  std::string GetClipboardText() override;
  void StartStopStopwatch() override;
  void OpenHelp() override;

 private:
  void OnDestroy();
  HWND CreateControl(const struct ControlSpec& spec);
  void SetUpControl(HWND control, const struct ControlSpec& spec);
  void AddTooltips();
  void LoadSettings();
  // Reads the show flags from the file (writing them back) and applies them.
  void ApplyLayout();
  void ApplyLayout(const struct LayoutFlags& flags);
  void OnCommand(int id, int code);
  bool RouteCommand(int id);
  void RunKey(Key key);
  void ToggleShowSetting(int menuId, std::string_view key);
  void ToggleAlwaysOnTop();
  void RefreshDatePane();
  void DrawTapeItem(const DRAWITEMSTRUCT& item);

  static LRESULT CALLBACK KeySinkProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

  HWND Control(int id) const { return GetDlgItem(window_, id); }
  HWND KeyButton(Key key) const;
  void SetControlText(int id, std::string_view cp1252);
  std::string ControlText(int id) const;

  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  IniSettings settings_;
  Engine engine_;
  std::array<HWND, kKeyCount> keyButtons_{};
  bool topMost_ = false;
};

}  // namespace tallix
