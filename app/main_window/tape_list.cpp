#include "app/main_window/tape_list.h"

#include <algorithm>
#include <vector>

#include "app/main_window/control_ids.h"
#include "side_window/wide_text.h"

namespace tallix {

std::size_t TapeCount(HWND list) {
  return static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(list, LB_GETCOUNT, 0, 0)));
}

void ReplaceTapeLines(HWND list, std::vector<std::string>& tape, std::size_t from, std::size_t to,
                      std::span<const std::string> lines, ui::LongWork& work) {
  to = std::min(to, tape.size());
  from = std::min(from, to);
  const std::size_t old = to - from;
  const std::size_t overlap = std::min(old, lines.size());
  const double steps = static_cast<double>(std::max<std::size_t>(1, overlap + lines.size()));
  std::vector<std::size_t> differing;
  for (std::size_t k = 0; k < overlap; ++k) {
    if (tape[from + k] != lines[k]) differing.push_back(k);
    work.Progress(0.5 + 0.5 * static_cast<double>(k) / steps);
  }
  std::size_t count = TapeCount(list);
  const auto erase = [&](std::size_t first, std::size_t end) {
    end = std::min(end, count);
    if (first == 0 && end == count) {
      SendMessageW(list, LB_RESETCONTENT, 0, 0);
    } else {
      for (std::size_t index = end; index > first; --index) SendMessageW(list, LB_DELETESTRING, index - 1, 0);
    }
    count -= end > first ? end - first : 0;
  };
  const auto insert = [&](std::size_t k) {
    const bool last = from + k >= count;
    SendMessageW(list, LB_INSERTSTRING, last ? static_cast<WPARAM>(-1) : from + k,
                 reinterpret_cast<LPARAM>(Wide(lines[k]).c_str()));
    ++count;
    work.Progress(0.5 + 0.5 * static_cast<double>(overlap + k) / steps);
  };
  TapeListDrawingHeld held(list);
  std::size_t kept = overlap;
  if (differing.size() * 2 > old + lines.size()) {
    erase(from, to);
    kept = 0;
  } else {
    for (std::size_t k : differing) {
      erase(from + k, from + k + 1);
      insert(k);
    }
    erase(from + overlap, to);
  }
  // The list grows in one step rather than a few items at a time.
  if (lines.size() > kept + 1000) {
    std::size_t characters = 0;
    for (std::size_t k = kept; k < lines.size(); ++k) characters += lines[k].size() + 1;
    SendMessageW(list, LB_INITSTORAGE, lines.size() - kept, characters * sizeof(wchar_t));
  }
  for (std::size_t k = kept; k < lines.size(); ++k) insert(k);
  const auto at = [&tape](std::size_t index) { return tape.begin() + static_cast<std::ptrdiff_t>(index); };
  std::copy(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(overlap), at(from));
  if (old > overlap) tape.erase(at(from + overlap), at(to));
  tape.insert(at(from + overlap), lines.begin() + static_cast<std::ptrdiff_t>(overlap), lines.end());
}

std::function<void(std::size_t)> ReplayProgress(ui::LongWork& work, const InputRecord& record) {
  const double inputs = static_cast<double>(std::max<std::size_t>(1, record.inputs.size()));
  return [&work, inputs](std::size_t i) { work.Progress(0.5 * static_cast<double>(i + 1) / inputs); };
}

std::size_t FixedLines(MainWindowContext& main) {
  const std::size_t all = TapeCount(main.Control(ids::kTapeList));
  const std::size_t recorded = main.CalculatorEngine().record().tapeLines;
  return all > recorded ? all - recorded : 0;
}

}  // namespace tallix
