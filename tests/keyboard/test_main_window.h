#pragma once
// The main window of a test suite, on a settings file of its own in the
// temporary folder, made before the suite's tests and gone after them.
#include <windows.h>

#include <string>
#include <string_view>

#include "app/main_window/main_window.h"
#include "tests/keyboard/key_strokes.h"

namespace tallix::key_strokes {

class TestMainWindow {
 public:
  // `name` tells the suites' settings files apart; `settings` is what the
  // file holds before the window reads it.
  MainWindowContext* Open(std::string_view name, std::string_view settings = {}) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    ini_ = std::string(folder) + std::string(name) + "-" + std::to_string(GetCurrentProcessId()) + ".ini";
    HANDLE file = CreateFileA(ini_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, settings.data(), static_cast<DWORD>(settings.size()), &written, nullptr);
    CloseHandle(file);
    main_ = CreateMainWindow(ini_);
    Pump();
    return main_;
  }
  void Close() {
    if (main_ && IsWindow(main_->Owner())) DestroyWindow(main_->Owner());
    Pump();
    DeleteFileA(ini_.c_str());
  }
  MainWindowContext* operator->() const { return main_; }

 private:
  MainWindowContext* main_ = nullptr;
  std::string ini_;
};

}  // namespace tallix::key_strokes
