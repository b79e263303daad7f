// tallix-cli keys: a key script through the real engine, optionally from and
// to a tape file; the tape as it stands at the end on standard output.
#include <cmath>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/cli_commands.h"
#include "app/tape/apply_loaded_tape.h"
#include "app/tape/tape_csv.h"
#include "app/tape/tape_file.h"
#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/entry_correction.h"
#include "engine/memory_settings.h"
#include "engine/tape_note.h"
#include "services/codepage1252.h"
#include "services/number_text.h"
#include "services/rounding_choice.h"

namespace tallix::cli {

namespace {

std::optional<bool> OnOff(const std::string& value) {
  if (value == "on") return true;
  if (value == "off") return false;
  return std::nullopt;
}

bool ApplyOption(const std::string& name, const std::string& value, EngineSettings& settings) {
  if (name == "--mode") {
    if (value != "standard" && value != "adding") return false;
    settings.calcMode = value == "adding" ? 1 : 0;
  } else if (name == "--decimals") {
    if (value == "F") {
      settings.decimalSetting = display_mode::kFloating;
    } else if (value.size() == 1 && value[0] >= '0' && value[0] <= '4') {
      settings.decimalSetting = static_cast<std::uint8_t>(value[0] - '0');
    } else {
      return false;
    }
  } else if (name == "--grouping" || name == "--auto-decimal" || name == "--laptop") {
    const auto on = OnOff(value);
    if (!on) return false;
    (name == "--grouping" ? settings.digitGrouping
     : name == "--laptop" ? settings.laptopKeys
                          : settings.autoDecimal) = *on;
  } else if (name == "--tax") {
    // The rate is kept in single precision: beyond it, or NaN, it is no rate.
    const auto rate = ParseNumberExact(value);
    if (!rate || !(std::fabs(*rate) <= std::numeric_limits<float>::max())) return false;
    settings.taxRate = static_cast<float>(*rate);
  } else if (name == "--round") {
    const auto rule = RoundingRuleNamed(value);
    if (!rule) return false;
    settings.rounding = *rule;
  } else if (name == "--system") {
    const char* const systems[] = {"dec", "hex", "bin", "oct"};
    int index = 0;
    while (index < 4 && value != systems[index]) ++index;
    if (index == 4) return false;
    // Decimal shows the decimal choice; the others have display modes 11..13.
    settings.displayMode = static_cast<std::uint8_t>(index == 0 ? 0 : 10 + index);
  } else {
    return false;
  }
  return true;
}

// An engine option that stands alone, without a value.
bool IsEngineSwitch(std::string_view name) { return name == "--grand-total"; }

struct KeysChoices {
  std::string load;
  std::string save;
  bool csv = false;  // print the tape as Export Tape writes it
  // --correct N=VALUE: the Nth typed number (from 1) retyped as VALUE.
  std::vector<std::pair<std::size_t, std::string>> corrections;
};

// "N=VALUE" with N from 1.
std::optional<std::pair<std::size_t, std::string>> ReadCorrection(const std::string& text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) return std::nullopt;
  std::size_t n = 0;
  for (char c : text.substr(0, equals)) {
    if (c < '0' || c > '9' || n > 1000000000) return std::nullopt;
    n = n * 10 + static_cast<std::size_t>(c - '0');
  }
  if (n == 0) return std::nullopt;
  // Read as the window's correction box reads it.
  return std::pair{n, CorrectionKeysText(text.substr(equals + 1))};
}

// Takes --load FILE and --save FILE out of the leading options.
bool ReadTapeFileOptions(Args& args, KeysChoices& files, std::ostream& err) {
  for (std::size_t i = 0; i < args.size() && args[i].starts_with("--") && args[i] != "--";) {
    if (args[i] == "--csv") {
      files.csv = true;
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    if (args[i] != "--load" && args[i] != "--save" && args[i] != "--correct") {
      i += IsEngineSwitch(args[i]) ? 1 : 2;  // an engine option and its value
      continue;
    }
    if (i + 1 >= args.size()) {
      err << "tallix-cli keys: " << args[i] << (args[i] == "--correct" ? " needs N=VALUE\n" : " needs a file name\n");
      return false;
    }
    if (args[i] == "--correct") {
      const auto correction = ReadCorrection(args[i + 1]);
      if (!correction) {
        err << "tallix-cli keys: --correct " << QuoteInput(args[i + 1])
            << " is not N=VALUE (N the typed number's place, from 1)\n";
        return false;
      }
      files.corrections.push_back(*correction);
    } else {
      (args[i] == "--load" ? files.load : files.save) = args[i + 1];
    }
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i + 2));
  }
  return true;
}

// A key of the keypad, "#TEXT": a note on the tape, or "GT": Edit > Grand Total.
struct KeyStep {
  std::optional<Key> key;
  std::string note;  // Windows-1252
  bool grandTotal = false;
};

// The exit status of a word that cannot be run: 2 for an unknown key, 1 for a
// note the tape cannot keep; 0 once it is added to `keys`.
int ReadKey(const std::string& word, std::vector<KeyStep>& keys, std::ostream& err) {
  if (word.starts_with('#')) {
    const std::string_view note = std::string_view(word).substr(1);
    if (const std::string refusal = NoteRefusal(note); !refusal.empty()) {
      err << "tallix-cli keys: " << refusal << "\n";
      return 1;
    }
    keys.push_back({std::nullopt, Utf8ToCp1252(note)});
    return 0;
  }
  if (word == "GT") {
    keys.push_back({std::nullopt, {}, true});
    return 0;
  }
  const auto key = KeyFromScriptName(word);
  if (!key || !IsEngineKey(*key)) {
    err << "tallix-cli keys: unknown key " << QuoteInput(word) << "\n";
    return 2;
  }
  keys.push_back({*key, {}});
  return 0;
}

}  // namespace

bool ReadEngineOptions(Args& args, EngineSettings& settings, std::ostream& err) {
  std::size_t used = 0;
  while (used < args.size() && args[used].starts_with("--")) {
    const std::string& name = args[used];
    if (name == "--") {
      ++used;
      break;
    }
    if (IsEngineSwitch(name)) {
      settings.grandTotalOn = true;
      ++used;
      continue;
    }
    if (used + 1 >= args.size() || !ApplyOption(name, args[used + 1], settings)) {
      err << "tallix-cli: bad option \"" << name << "\"" << (used + 1 < args.size() ? " " + args[used + 1] : "")
          << "\n  options: --mode standard|adding, --decimals F|0|1|2|3|4, --grouping on|off,\n"
             "           --auto-decimal on|off, --tax RATE, --system dec|hex|bin|oct, --laptop on|off,\n"
             "           --round down|54|up, --grand-total\n";
      return false;
    }
    used += 2;
  }
  // A decimal start shows the decimal choice itself.
  if (settings.displayMode <= display_mode::kFloating) settings.displayMode = settings.decimalSetting;
  args.erase(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(used));
  return true;
}

namespace {

struct Calculator {
  BasicEngineHost host;
  MemorySettings store;
  Engine engine{host, store};
};

// Typed number `n` (from 1) made `value`, as the window corrects it: the
// lines before the record (a loaded tape's) kept, the note at the end.
bool Correct(Calculator& calculator, std::size_t n, const std::string& value, std::ostream& err) {
  const InputRecord& record = calculator.engine.record();
  const std::optional<PlannedCorrection> plan = PlanCorrection(record, n - 1, value);
  if (!plan) {
    const std::size_t typed = EnteredNumbers(record).size();
    err << "tallix-cli keys: --correct " << n << "=" << QuoteInput(value) << ": "
        << (n > typed ? "the keys type " + std::to_string(typed) + " numbers" : "that number cannot be typed there")
        << "\n";
    return false;
  }
  std::vector<std::string>& tape = calculator.host.tape;
  CorrectInPlace(calculator.engine, *plan, calculator.host, tape.size() - record.tapeLines,
                 [&](const TapeSplice& splice) { SpliceLines(tape, splice); });
  return true;
}

}  // namespace

int RunKeys(const Args& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
  Args args = arguments;
  KeysChoices files;
  EngineSettings settings;
  if (!ReadTapeFileOptions(args, files, err) || !ReadEngineOptions(args, settings, err)) return 2;
  if (args.empty() && files.load.empty() && files.save.empty()) {
    err << "tallix-cli keys: no keys given (keys are keypad captions, or - to read them from standard input)\n";
    return 2;
  }
  // Every key is checked before the first one runs, so a bad script prints no tape.
  std::vector<KeyStep> keys;
  if (args.size() == 1 && args[0] == "-") {
    for (std::string word; in >> word;) {
      if (const int status = ReadKey(word, keys, err); status != 0) return status;
    }
  } else {
    for (const std::string& word : args) {
      if (const int status = ReadKey(word, keys, err); status != 0) return status;
    }
  }

  // Standard input that cannot be read (a folder) ends the run before any tape.
  if (const int status = FinishStreams("keys", in, out, err, 0); status != 0) return status;

  auto calculator = std::make_unique<Calculator>();
  calculator->engine.Start(settings);
  if (!files.load.empty()) {
    const TapeLoadResult loaded = LoadTapeFile(files.load);
    if (!loaded.result.ok) {
      err << "tallix-cli keys: " << loaded.result.message << "\n";
      return 1;
    }
    ApplyLoadedTape(loaded.tape, calculator->engine, calculator->host);
  }
  for (const KeyStep& step : keys) {
    if (step.key) {
      calculator->engine.PressKey(*step.key);
    } else if (step.grandTotal) {
      calculator->engine.GrandTotal();
    } else {
      calculator->engine.AddNote(step.note);
    }
  }
  for (const auto& [n, value] : files.corrections) {
    if (!Correct(*calculator, n, value, err)) return 2;
  }
  BasicEngineHost& host = calculator->host;
  Engine& engine = calculator->engine;

  int status = 0;
  if (!files.save.empty()) {
    const TapeFileResult saved =
        SaveTapeFile(files.save, host.tape, host.display, engine.state().lastTotal, LocalTapeStampNow());
    if (!saved.ok) {
      err << "tallix-cli keys: " << saved.message << "\n";
      status = 1;
    }
  }
  if (files.csv) {
    // The export keeps a loaded tape's bytes, but a terminal must not act on them.
    std::vector<std::string> lines = host.tape;
    if (IsTerminal(out)) {
      for (std::string& line : lines) line = ShownText(line);
    }
    out << FormatTapeCsv(lines, TapeStartRadix(engine));
    return FinishStreams("keys", in, out, err, status);
  }
  // A loaded tape's lines and display are anyone's bytes: none may reach the terminal as a control.
  const auto shown = [](std::string_view text) { return Cp1252ToUtf8(ShownText(text)); };
  for (const std::string& line : host.tape) out << shown(line) << '\n';
  out << "display: " << shown(host.display) << '\n'
      << "items: " << shown(host.items) << '\n'
      << "average: " << shown(host.average) << '\n'
      << "memory: " << shown(host.memory) << '\n';
  return FinishStreams("keys", in, out, err, status);
}

}  // namespace tallix::cli
