#pragma once
// A calculator on a recording host, driven by key scripts such as "5 + 3 =".

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"

namespace tallix::testing {

class RecordingHost : public BasicEngineHost {
 public:
  void EnableKey(Key key, bool enabled) override { this->enabled[static_cast<int>(key)] = enabled; }
  void ShowKeyPressed(Key key, bool pressed) override { drawn.emplace_back(key, pressed); }
  void CheckNumberSystemButton(int index) override { checkedSystem = index; }
  void CheckDecimalsMenuItem(int setting) override { checkedDecimals = setting; }
  void CheckDigitGroupingMenuItem(bool checked) override { groupingChecked = checked; }
  void CheckAutoDecimalMenuItem(bool checked) override { autoDecimalChecked = checked; }
  void FocusKeySink() override { ++focusCount; }
  bool AskYesNo(std::string_view caption, std::string_view text) override {
    questions.emplace_back(std::string(caption) + "|" + std::string(text));
    return answerYes;
  }
  void SelectTapeLine(int index) override { selectedLine = index; }
  void TapeLineWritten(std::string_view line) override { written.emplace_back(line); }
  void StartStopStopwatch() override { ++stopwatchToggles; }
  void OpenHelp() override { ++helpOpened; }
  void AskForNote() override { ++notesAsked; }
  void PressWindowKey(Key key) override { windowKeys.push_back(key); }

  bool enabled[kKeyCount] = {};
  std::vector<std::pair<Key, bool>> drawn;
  std::vector<std::string> questions;
  int checkedSystem = -1;
  int checkedDecimals = -1;
  bool groupingChecked = false;
  bool autoDecimalChecked = false;
  int focusCount = 0;
  int selectedLine = -1;
  std::vector<std::string> written;  // the lines said to be written as they came
  int stopwatchToggles = 0;
  int helpOpened = 0;
  int notesAsked = 0;
  std::vector<Key> windowKeys;
};

inline EngineSettings Decimals(int places, EngineSettings settings = {}) {
  settings.displayMode = static_cast<std::uint8_t>(places);
  settings.decimalSetting = static_cast<std::uint8_t>(places);
  return settings;
}

inline EngineSettings AddingMachine(EngineSettings settings = {}) {
  settings.calcMode = 1;
  return settings;
}

inline EngineSettings NoGrouping(EngineSettings settings = {}) {
  settings.digitGrouping = false;
  return settings;
}

inline const std::string kDashes(26, '-');

// Starts the engine with `settings`; what start-up writes to the tape is
// dropped so each test sees only the lines of its own keys.
class Calculator {
 public:
  explicit Calculator(const EngineSettings& settings = {}) {
    engine.Start(settings);
    host.tape.clear();
  }

  // Whitespace-separated key captions, "*" and "/" for times and divide.
  Calculator& Keys(std::string_view script) {
    std::istringstream words{std::string(script)};
    for (std::string word; words >> word;) {
      const auto key = KeyFromScriptName(word);
      EXPECT_TRUE(key.has_value()) << "no key " << word;
      if (key) engine.PressKey(*key);
    }
    return *this;
  }

  // The tape lines added since the last call.
  std::vector<std::string> NewTape() {
    std::vector<std::string> lines(host.tape.begin() + static_cast<std::ptrdiff_t>(seen_), host.tape.end());
    seen_ = host.tape.size();
    return lines;
  }

  const std::string& display() const { return host.display; }
  std::string setting(const std::string& section, const std::string& key) {
    return settings.Read(section, key, "<missing>");
  }

  RecordingHost host;
  MemorySettings settings;
  Engine engine{host, settings};

 private:
  std::size_t seen_ = 0;
};

using Lines = std::vector<std::string>;

}  // namespace tallix::testing
