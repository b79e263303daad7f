// tallix-cli on a terminal: typed keys go through the engine's keyboard
// mapping as virtual-key codes, each tape line prints as it is written, and
// the display and panes stay on one status line redrawn in place.
#ifndef _WIN32

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/cli_commands.h"
#include "engine/basic_host.h"
#include "engine/engine.h"
#include "engine/memory_settings.h"
#include "engine/virtual_keys.h"

namespace tallix::cli {

namespace {

constexpr std::string_view kEraseLine = "\r\x1b[K";

termios g_savedTerminal;

void RestoreTerminal() { tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_savedTerminal); }

// A signal must not leave the user's terminal in raw mode.
void OnSignal(int signal) {
  RestoreTerminal();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void Write(std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(STDOUT_FILENO, text.data(), text.size());
    if (written <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
}

// One byte from the terminal, or -1 when none arrives within `timeoutMs`
// (negative: wait without limit) or the input has ended.
int ReadByte(int timeoutMs) {
  pollfd pending{STDIN_FILENO, POLLIN, 0};
  if (poll(&pending, 1, timeoutMs) <= 0) return -1;
  unsigned char byte = 0;
  return ::read(STDIN_FILENO, &byte, 1) == 1 ? byte : -1;
}

class TerminalHost : public BasicEngineHost {
 public:
  int AddTapeLine(std::string_view line) override {
    Write(std::string(kEraseLine) + Cp1252ToUtf8(ShownText(line)) + "\r\n");
    return lines_++;
  }
  void ClearTapeLines() override {
    Write(std::string(kEraseLine) + "(tape cleared)\r\n");
    lines_ = 0;
  }
  bool AskYesNo(std::string_view caption, std::string_view text) override {
    std::string question(text);
    while (!question.empty() && (question.back() == '\r' || question.back() == '\n')) question.pop_back();
    Write(std::string(kEraseLine) + std::string(caption) + ": " + question + " [y/n] ");
    const int answer = ReadByte(-1);
    return answer == 'y' || answer == 'Y';
  }
  void DrawStatus() {
    Write(std::string(kEraseLine) + "display: " + Cp1252ToUtf8(ShownText(display)) + " |" + items + " |" + average +
          " |" + memory + (bank2Shown ? " Mem2" : ""));
  }

 private:
  int lines_ = 0;
};

struct Keystroke {
  int vk;
  bool shift = false;
  bool ctrl = false;
};

// Escape sequences of the keys the mapping knows, after the ESC byte.
std::vector<Keystroke> DecodeEscape() {
  const int first = ReadByte(50);
  if (first < 0) return {{vk::kEscape}};
  const int second = ReadByte(50);
  if (first == 'O') {
    if (second == 'P') return {{vk::kF1}};
    if (second >= 'p' && second <= 'y') return {{vk::Numpad(second - 'p')}};
    switch (second) {
      case 'j': return {{vk::kMultiply}};
      case 'k': return {{vk::kAdd}};
      case 'm': return {{vk::kSubtract}};
      case 'n': return {{vk::kDecimal}};
      case 'o': return {{vk::kDivide}};
      case 'M': return {{vk::kEnter}};
      default: return {};
    }
  }
  if (first != '[') return {};
  if (second == 'A') return {{vk::kUp}};
  std::string digits;
  for (int c = second; c >= '0' && c <= '9'; c = ReadByte(50)) digits.push_back(static_cast<char>(c));
  if (digits == "3") return {{vk::kDelete}};
  if (digits == "11") return {{vk::kF1}};
  if (digits == "20") return {{vk::kF9}};
  return {};
}

std::vector<Keystroke> Decode(int byte) {
  if (byte >= '0' && byte <= '9') return {{vk::Digit(byte - '0')}};
  if (byte >= 'a' && byte <= 'z') return {{vk::Letter(static_cast<char>(byte - 'a' + 'A'))}};
  if (byte >= 'A' && byte <= 'Z') return {{vk::Letter(static_cast<char>(byte)), true}};
  switch (byte) {
    case '.': return {{vk::kPeriod}};
    case '=': return {{vk::kEquals}};
    case '+': return {{vk::kEquals, true}};
    case '-': return {{vk::kMinus}};
    case '*': return {{vk::Digit(8), true}};
    case '%': return {{vk::Digit(5), true}};
    case '/': return {{vk::kSlash}};
    case ';': return {{vk::kSemicolon}};
    case ' ': return {{vk::kSpace}};
    case '\r':
    case '\n': return {{vk::kEnter}};
    case 0x7F:
    case 0x08: return {{vk::kBackspace}};
    case 0x16: return {{vk::Letter('V'), false, true}};  // Ctrl+V
    case 0x1B: return DecodeEscape();
    default: return {};
  }
}

// Down and up as a keyboard sends them, with the modifier around the key.
void Type(Engine& engine, const Keystroke& stroke) {
  const int modifier = stroke.shift ? vk::kShift : stroke.ctrl ? vk::kControl : 0;
  if (modifier != 0) engine.OnKeyDown(modifier);
  engine.OnKeyDown(stroke.vk);
  engine.OnKeyUp(stroke.vk);
  if (modifier != 0) engine.OnKeyUp(modifier);
}

}  // namespace

int RunInteractive(const Args& arguments, std::ostream& err) {
  Args args = arguments;
  EngineSettings settings;
  if (!ReadEngineOptions(args, settings, err)) return 2;
  if (!args.empty()) {
    err << "tallix-cli interactive: unexpected argument \"" << args.front() << "\"\n";
    return 2;
  }
  if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &g_savedTerminal) != 0) {
    err << "tallix-cli interactive: standard input is not a terminal\n";
    return 2;
  }
  termios raw = g_savedTerminal;
  raw.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INPCK | ISTRIP | IXON);
  raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN | ISIG);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) std::signal(signal, OnSignal);
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw);

  TerminalHost host;
  MemorySettings store;
  Engine engine(host, store);
  Write("Tallix paper tape: type keys as on the keypad; q, Ctrl+C or Ctrl+D quits.\r\n");
  engine.Start(settings);
  host.DrawStatus();
  for (int byte = ReadByte(-1); byte >= 0 && byte != 'q' && byte != 0x03 && byte != 0x04; byte = ReadByte(-1)) {
    for (const Keystroke& stroke : Decode(byte)) Type(engine, stroke);
    host.DrawStatus();
  }
  Write("\r\n");
  RestoreTerminal();
  return 0;
}

}  // namespace tallix::cli

#endif  // _WIN32
