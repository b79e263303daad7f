// The key-sink mapping: virtual-key codes to operations and pressed buttons.
#include <set>
#include <string>

#include "engine/keyboard_shortcut.h"
#include "engine/virtual_keys.h"
#include "tests/engine/calculator_fixture.h"

namespace tallix::testing {
namespace {

constexpr Key kSystems[] = {Key::Dec, Key::Hex, Key::Bin, Key::Oct};

class Keyboard : public Calculator {
 public:
  explicit Keyboard(const EngineSettings& settings = {}) : Calculator(settings) {}

  // Presses and releases each key in turn.
  Keyboard& Type(std::initializer_list<int> keys) {
    for (int key : keys) {
      engine.OnKeyDown(key);
      engine.OnKeyUp(key);
    }
    return *this;
  }
  Keyboard& Shifted(int key) { return Held(vk::kShift, key); }
  Keyboard& Held(int modifier, int key) {
    engine.OnKeyDown(modifier);
    Type({key});
    engine.OnKeyUp(modifier);
    return *this;
  }
};

EngineSettings Laptop(EngineSettings settings = {}) {
  settings.laptopKeys = true;
  return settings;
}

TEST(KeyboardDigits, TopRowAndNumericKeypad) {
  Keyboard keys;
  keys.Type({vk::Digit(1), vk::Numpad(2), vk::Digit(3), vk::Numpad(0)});
  EXPECT_EQ(keys.display(), "1,230");
  keys.Type({vk::kPeriod, vk::Numpad(5), vk::kDecimal});
  EXPECT_EQ(keys.engine.state().entryText, "1230.5.");
}

TEST(KeyboardDigits, LaptopMappingOff) {
  Keyboard keys;
  keys.Type({vk::Letter('M'), vk::Letter('J'), vk::Letter('P'), vk::kSemicolon});
  EXPECT_EQ(keys.display(), "0");
  EXPECT_TRUE(keys.host.tape.empty());
  keys.Type({vk::Digit(8), vk::Digit(0), vk::kSlash, vk::Digit(4), vk::kEnter});
  EXPECT_EQ(keys.display(), "20");
}

TEST(KeyboardDigits, LaptopMappingOn) {
  Keyboard keys(Laptop());
  keys.Type({vk::Letter('J'), vk::Letter('K'), vk::Letter('L'), vk::Letter('U'), vk::Letter('I'), vk::Letter('O'),
             vk::Digit(7), vk::Digit(8), vk::Digit(9), vk::Letter('M')});
  EXPECT_EQ(keys.engine.state().entryText, "1234567890");
  keys.Type({vk::Digit(0), vk::Digit(2), vk::kSlash, vk::Digit(3), vk::kSemicolon, vk::Digit(4), vk::Letter('P'),
             vk::Digit(5), vk::kEnter});
  // ((1234567890 / 2) + 3 - 4) * 5
  EXPECT_EQ(keys.NewTape(),
            (Lines{"1,234,567,890  ", "2 \xF7", "3 +", "4 -", "5 \xD7", kDashes, "3,086,419,720 =", ""}));
  keys.Type({vk::Digit(1), vk::Digit(6), vk::Numpad(0), vk::Numpad(4)});
  EXPECT_EQ(keys.engine.state().entryText, "1604");
}

TEST(KeyboardOperators, EnterAndEqualsKeyBothRunEquals) {
  Keyboard keys;
  keys.Type({vk::Digit(2), vk::kAdd, vk::Digit(3), vk::kEnter});
  EXPECT_EQ(keys.display(), "5");
  keys.Type({vk::Digit(2)}).Shifted(vk::kEquals).Type({vk::Digit(4), vk::kEquals});
  EXPECT_EQ(keys.display(), "6");
  keys.Type({vk::Digit(9), vk::kSubtract, vk::Digit(1), vk::kMinus, vk::Digit(2), vk::kMultiply, vk::Digit(3),
             vk::kDivide, vk::Digit(2), vk::kEnter});
  EXPECT_EQ(keys.display(), "9");
}

TEST(KeyboardOperators, ShiftFiveIsPercentInDecimalOnly) {
  Keyboard keys;
  keys.Type({vk::Digit(5), vk::Digit(0)}).Shifted(vk::Digit(5));
  EXPECT_EQ(keys.NewTape(), (Lines{"50 %", kDashes, "0.5 =", ""}));
  keys.Type({vk::Letter('C')});  // no Ctrl, not hexadecimal: nothing
  keys.Type({vk::kF9}).Type({vk::Letter('R')});
  EXPECT_EQ(keys.display(), "-2");
  keys.engine.PressKey(kSystems[1]);
  keys.NewTape();
  keys.Type({vk::Digit(5)}).Shifted(vk::Digit(5));
  EXPECT_EQ(keys.display(), "5");
  EXPECT_TRUE(keys.NewTape().empty());
}

TEST(KeyboardOperators, ShiftEightMultipliesInEverySystem) {
  for (int system = 0; system < 4; ++system) {
    Keyboard keys;
    keys.engine.PressKey(kSystems[system]);
    keys.Type({vk::Digit(1)}).Shifted(vk::Digit(8)).Type({vk::Digit(1), vk::kEnter});
    EXPECT_EQ(keys.engine.state().lastTotal, 1) << system;
    EXPECT_EQ(keys.host.average, " AVG = n/a") << system;
    keys.Type({vk::Digit(8)});
    EXPECT_EQ(keys.engine.state().entryText, system >= 2 ? "" : "8") << system;
  }
}

TEST(KeyboardSystems, DigitsFollowTheNumberSystem) {
  Keyboard keys;
  keys.engine.PressKey(kSystems[2]);
  keys.Type({vk::Digit(1), vk::Digit(2), vk::Digit(7), vk::Digit(0), vk::Letter('A'), vk::kPeriod});
  EXPECT_EQ(keys.engine.state().entryText, "10");
  keys.engine.PressKey(kSystems[3]);
  keys.Type({vk::Digit(7), vk::Digit(8), vk::Digit(9), vk::Numpad(6)});
  EXPECT_EQ(keys.engine.state().entryText, "76");
  keys.engine.PressKey(kSystems[1]);
  keys.Type({vk::Letter('A'), vk::Letter('B'), vk::Letter('C'), vk::Letter('D'), vk::Letter('E'), vk::Letter('F'),
             vk::Digit(9)});
  EXPECT_EQ(keys.engine.state().entryText, "ABCDEF9");
  keys.Type({vk::Letter('G'), vk::Letter('T'), vk::kF9});
  EXPECT_EQ(keys.display(), "ABCDEF9");
  EXPECT_TRUE(keys.NewTape() == (Lines{"(Bin)", "(Oct)", "(Hex)"}));
}

TEST(KeyboardSystems, LettersIgnoredInDecimal) {
  Keyboard keys;
  keys.Type({vk::Letter('A'), vk::Letter('F'), vk::Letter('D')});
  EXPECT_EQ(keys.display(), "0");
}

TEST(KeyboardClear, EscapeClearsAndShiftEscapeAsks) {
  Keyboard keys;
  keys.Type({vk::Digit(4), vk::kAdd});
  EXPECT_EQ(keys.engine.OnKeyDown(vk::kEscape), 0);
  keys.engine.OnKeyUp(vk::kEscape);
  EXPECT_EQ(keys.NewTape(), (Lines{"4  ", "Clear"}));
  EXPECT_TRUE(keys.host.questions.empty());

  keys.engine.OnKeyDown(vk::kShift);
  EXPECT_EQ(keys.engine.OnKeyDown(vk::kEscape), 0);
  EXPECT_EQ(keys.host.questions.size(), 1u);
  EXPECT_TRUE(keys.host.tape.empty());
  EXPECT_FALSE(keys.engine.state().shiftDown);  // Shift+Esc clears the flag itself
  EXPECT_EQ(keys.engine.OnKeyDown(vk::Digit(5)), vk::Digit(5));
}

TEST(KeyboardClear, DeleteBackspaceFeed) {
  Keyboard keys;
  keys.Type({vk::Digit(1), vk::Digit(2), vk::kBackspace});
  EXPECT_EQ(keys.display(), "1");
  keys.Type({vk::kDelete});
  EXPECT_EQ(keys.display(), "0");
  keys.Type({vk::kUp});
  EXPECT_EQ(keys.NewTape(), (Lines{""}));
}

TEST(KeyboardFunctions, ChangeTaxReciprocalSign) {
  EngineSettings settings;
  settings.taxRate = 10;
  Keyboard keys(settings);
  keys.Type({vk::Digit(4), vk::Letter('R')});
  EXPECT_EQ(keys.display(), "0.25");
  keys.Type({vk::kF9});
  EXPECT_EQ(keys.display(), "-0.25");
  keys.Type({vk::Digit(5), vk::Digit(0), vk::Letter('T')});
  EXPECT_EQ(keys.display(), "55");
  keys.Type({vk::Letter('G')});
  EXPECT_EQ(keys.NewTape(), (Lines{"50 Tx", "55 - 0", kDashes, "55 CH", ""}));
}

TEST(KeyboardFunctions, CtrlCopiesAndPastes) {
  Keyboard keys;
  keys.Type({vk::Digit(1), vk::Digit(2), vk::Digit(3), vk::Digit(4), vk::kPeriod, vk::Digit(5)});
  keys.Held(vk::kControl, vk::Letter('C'));
  EXPECT_EQ(keys.NewTape(), (Lines{"Copy (1,234.5)"}));
  keys.host.clipboard = "42";
  keys.Held(vk::kControl, vk::Letter('V'));
  EXPECT_EQ(keys.display(), "42");
  keys.Type({vk::Letter('V'), vk::Letter('C')});
  EXPECT_EQ(keys.display(), "42");
  EXPECT_FALSE(keys.engine.state().ctrlDown);
}

TEST(KeyboardFunctions, HelpStopwatchNumLock) {
  Keyboard keys;
  keys.engine.OnKeyDown(vk::kSpace);
  EXPECT_EQ(keys.host.stopwatchToggles, 0);  // acts on release
  keys.engine.OnKeyUp(vk::kSpace);
  EXPECT_EQ(keys.host.stopwatchToggles, 1);
  keys.Type({vk::kF1});
  EXPECT_EQ(keys.host.helpOpened, 1);
  keys.host.numLockOn = true;
  keys.Type({vk::kNumLock});
  EXPECT_EQ(keys.host.numLock, "NUM");
  keys.host.numLockOn = false;
  keys.engine.UpdateNumLock();
  EXPECT_EQ(keys.host.numLock, "");
}

TEST(KeyRepeat, HeldKeyRepeatsItsOperation) {
  Keyboard keys;
  for (int i = 0; i < 3; ++i) keys.engine.OnKeyDown(vk::Digit(7));
  EXPECT_EQ(keys.display(), "777");
  EXPECT_EQ(keys.host.drawn, (std::vector<std::pair<Key, bool>>{{Key::D7, true}, {Key::D7, true}, {Key::D7, true}}));
  keys.engine.OnKeyUp(vk::Digit(7));
  EXPECT_EQ(keys.host.drawn.back(), (std::pair<Key, bool>{Key::D7, false}));
}

using Drawn = std::vector<std::pair<Key, bool>>;

TEST(KeyUp, RedrawsTheButtonsTheKeyStandsFor) {
  struct Case {
    bool laptop;
    bool shift;
    int vk;
    Drawn drawn;
  };
  const Case cases[] = {
      {false, false, vk::Digit(0), {{Key::D0, true}, {Key::Divide, false}, {Key::D0, false}}},
      {true, false, vk::Digit(0), {{Key::Divide, true}, {Key::Divide, false}, {Key::D0, false}}},
      {false, false, vk::kSlash, {{Key::Divide, true}, {Key::Plus, false}, {Key::Divide, false}}},
      {true, false, vk::kSlash, {{Key::Plus, true}, {Key::Plus, false}, {Key::Divide, false}}},
      {false, true, vk::Digit(5), {{Key::Percent, true}, {Key::Percent, false}, {Key::D5, false}}},
      {false, false, vk::Digit(5), {{Key::D5, true}, {Key::Percent, false}, {Key::D5, false}}},
      {false, true, vk::Numpad(8), {{Key::Times, true}, {Key::Times, false}, {Key::D8, false}}},
      {false, false, vk::kEquals, {{Key::Equals, true}, {Key::Equals, false}, {Key::Plus, false}}},
      {false, true, vk::kEquals, {{Key::Plus, true}, {Key::Equals, false}, {Key::Plus, false}}},
      {false, false, vk::kAdd, {{Key::Plus, true}, {Key::Plus, false}}},
      {false, false, vk::kEscape, {{Key::Clear, true}, {Key::Clear, false}, {Key::ClearTape, false}}},
      {false, false, vk::kSpace, {{Key::Start, true}, {Key::Start, false}}},
      {false, false, vk::Letter('P'), {{Key::MemoryAdd, false}, {Key::Times, false}}},
      {false, false, vk::kF1, {{Key::Help, true}, {Key::Help, false}}},
      {false, false, vk::kNumLock, {}},
      {false, false, vk::Letter('Q'), {}},
  };
  for (const Case& c : cases) {
    EngineSettings settings;
    settings.laptopKeys = c.laptop;
    Keyboard keys(settings);
    if (c.shift) keys.engine.OnKeyDown(vk::kShift);
    keys.engine.OnKeyDown(c.vk);
    keys.engine.OnKeyUp(c.vk);
    EXPECT_EQ(keys.host.drawn, c.drawn) << "key " << c.vk << (c.laptop ? " laptop" : "") << (c.shift ? " shift" : "");
  }
}

TEST(KeyUp, ShiftReleaseAndFocus) {
  Keyboard keys;
  keys.engine.OnKeyDown(vk::kShift);
  EXPECT_TRUE(keys.engine.state().shiftDown);
  const int focus = keys.host.focusCount;
  keys.engine.OnKeyUp(vk::kShift);
  EXPECT_FALSE(keys.engine.state().shiftDown);
  EXPECT_EQ(keys.host.focusCount, focus + 1);
}

TEST(KeyDown, UnlistedKeysPassThrough) {
  Keyboard keys;
  EXPECT_EQ(keys.engine.OnKeyDown(vk::Letter('Z')), vk::Letter('Z'));
  EXPECT_EQ(keys.engine.OnKeyDown(0), 0);
  EXPECT_EQ(keys.engine.OnKeyDown(-5), -5);
  EXPECT_TRUE(keys.host.drawn.empty());
  EXPECT_TRUE(keys.host.tape.empty());
}

// A key's shortcut is the keystroke that draws it pressed: plain before
// shifted, in decimal mode before hexadecimal; none for keys no keystroke presses.
TEST(KeyboardShortcut, NamesTheFirstKeystrokeThatPressesTheKey) {
  EXPECT_EQ(KeyboardShortcut(Key::Clear), "Esc");
  EXPECT_EQ(KeyboardShortcut(Key::Equals), "Enter");
  EXPECT_EQ(KeyboardShortcut(Key::Percent), "Shift+5");
  EXPECT_EQ(KeyboardShortcut(Key::Times), "Num *");
  EXPECT_EQ(KeyboardShortcut(Key::D5), "5");
  EXPECT_EQ(KeyboardShortcut(Key::A), "A");
  EXPECT_EQ(KeyboardShortcut(Key::MemoryAdd), "Ctrl+P");
  EXPECT_EQ(KeyboardShortcut(Key::ClearTape), "Shift+Esc");
  EXPECT_EQ(KeyboardShortcut(Key::Loan), "F5");
  EXPECT_EQ(KeyPressedBy(vk::Letter('A'), false, display_mode::kFloating), std::nullopt);
  EXPECT_EQ(KeyboardShortcut(Key::Hex), "Ctrl+Shift+H");
  // Every key of the window has a keystroke, the number systems' option
  // buttons too, and no two keys share one.
  std::set<std::string> taken;
  for (int k = 0; k < kKeyCount; ++k) {
    const std::string shortcut = KeyboardShortcut(static_cast<Key>(k));
    EXPECT_FALSE(shortcut.empty()) << k;
    EXPECT_TRUE(taken.insert(shortcut).second) << shortcut << " twice";
  }
}

// Ctrl+Shift and a system's initial switches to it, from any system, whatever
// the letter does alone (a hexadecimal digit, the laptop 6) or with Ctrl.
TEST(Keyboard, CtrlShiftAndAnInitialChoosesTheNumberSystem) {
  Keyboard keys(Laptop());
  keys.Type({vk::Digit(9)});
  const auto system = [&](char initial) {
    keys.engine.OnKeyDown(vk::kControl);
    keys.Shifted(vk::Letter(initial));
    keys.engine.OnKeyUp(vk::kControl);
    return keys.engine.state().displayMode;
  };
  EXPECT_EQ(system('H'), display_mode::kHex);
  EXPECT_EQ(system('B'), display_mode::kBinary);
  EXPECT_EQ(keys.display(), "1001");
  EXPECT_EQ(system('O'), display_mode::kOctal);
  EXPECT_EQ(keys.display(), "11");
  EXPECT_EQ(system('D'), keys.engine.state().decimalSetting);
  EXPECT_EQ(keys.display(), "9");
}

// The menu shows the keystroke of each of its commands that one runs, and
// that keystroke does what the menu item does.
TEST(KeyboardShortcut, NamesTheKeystrokeThatRunsEachMenuCommand) {
  EXPECT_EQ(KeyboardShortcut(MenuCommand::Copy), "Ctrl+C");
  EXPECT_EQ(KeyboardShortcut(MenuCommand::Paste), "Ctrl+V");
  EXPECT_EQ(KeyboardShortcut(MenuCommand::AddNote), "Ctrl+N");
  EXPECT_EQ(KeyboardShortcut(MenuCommand::Help), "F1");
  Keyboard keys;
  keys.Type({vk::Digit(7)}).Held(vk::kControl, vk::Letter('C'));
  EXPECT_EQ(keys.host.clipboard, keys.display());
  keys.host.clipboard = "42";
  keys.Held(vk::kControl, vk::Letter('V'));
  EXPECT_EQ(keys.display(), "42");
  keys.Held(vk::kControl, vk::Letter('N')).Type({vk::kF1});
  EXPECT_EQ(keys.host.notesAsked, 1);
  EXPECT_EQ(keys.host.helpOpened, 1);
}

// The memory keys on Ctrl as other Windows calculators have them, before the
// laptop keys and the hexadecimal letters take those letters; the window's
// own keys are handed to the window, and never by a replay.
TEST(Keyboard, CtrlAndFunctionKeysReachEveryOtherKey) {
  Calculator keys(AddingMachine()), clicked(AddingMachine());
  keys.engine.SetLaptopKeys(true);
  clicked.engine.SetLaptopKeys(true);
  keys.Keys("5");
  for (const char letter : {'M', 'L', 'R', 'P', 'B', 'R'}) {
    keys.engine.OnKeyDown(vk::kControl);
    keys.engine.OnKeyDown(vk::Letter(letter));
    keys.engine.OnKeyUp(vk::Letter(letter));
    keys.engine.OnKeyUp(vk::kControl);
  }
  clicked.Keys("5 MS MC MR M+ 2nd MR");
  EXPECT_EQ(keys.NewTape(), clicked.NewTape());
  EXPECT_EQ(keys.display(), clicked.display());
  EXPECT_EQ(keys.host.memory, clicked.host.memory);

  keys.engine.OnKeyDown(vk::Function(5));
  keys.engine.OnKeyDown(vk::Function(7));
  keys.engine.OnKeyDown(vk::kControl);
  keys.engine.OnKeyDown(vk::Letter('T'));
  EXPECT_EQ(keys.host.windowKeys, (std::vector<Key>{Key::Loan, Key::Lap, Key::AlwaysOnTop}));
  BasicEngineHost again;
  MemorySettings settings;
  Engine replayed(again, settings);
  replayed.Replay(keys.engine.record());
  EXPECT_EQ(again.memory, keys.host.memory);
  EXPECT_EQ(keys.host.windowKeys.size(), 3u) << "a replay leaves the window alone";
}

}  // namespace
}  // namespace tallix::testing
