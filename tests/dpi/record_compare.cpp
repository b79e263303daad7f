#include "tests/dpi/record_compare.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tallix::dpi_probe {
namespace {

struct Record {
  int dpi = 0;
  std::map<std::string, std::vector<long>> lines;  // "window NAME", "control NAME INDEX", "tape-line NAME"
  std::map<std::string, std::string> texts;        // the whole line, for messages
};

Record Read(const std::string& path) {
  Record record;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string kind, name;
    words >> kind;
    if (kind == "dpi") {
      words >> record.dpi;
      continue;
    }
    words >> name;
    std::string key = kind + ' ' + name;
    std::vector<long> values;
    if (kind == "control") {
      std::string index, id, className;
      words >> index >> id >> className;
      key += ' ' + index + ' ' + id + ' ' + className;
    }
    for (long value; values.size() < 7 && words >> value;) values.push_back(value);
    record.lines[key] = values;
    record.texts[key] = line;
  }
  return record;
}

}  // namespace

int Compare(const std::string& designPath, const std::string& path) {
  const Record design = Read(designPath), scaled = Read(path);
  if (design.lines.empty() || scaled.lines.empty()) {
    std::fprintf(stderr, "empty record\n");
    return 1;
  }
  int faults = 0;
  const auto fault = [&](const std::string& what, const std::string& key) {
    ++faults;
    std::fprintf(stderr, "%s\n  design: %s\n  at %d DPI: %s\n", what.c_str(), design.texts.at(key).c_str(), scaled.dpi,
                 scaled.texts.contains(key) ? scaled.texts.at(key).c_str() : "(missing)");
  };
  for (const auto& [key, values] : design.lines) {
    const auto found = scaled.lines.find(key);
    if (found == scaled.lines.end()) {
      fault("missing", key);
      continue;
    }
    const bool control = key.rfind("control ", 0) == 0;
    // A drop-down list sizes its closed field to its font, as the system
    // does at every DPI; only the rest of its place is the form's.
    const bool dropDown = key.find(" ComboBox") != std::string::npos;
    const bool window = key.rfind("window ", 0) == 0;
    // Places and sizes; for a control also its font height, then whether its
    // caption fits; for a window its client size, then whether it was made
    // smaller to fit the screen (and so is not its design size scaled).
    const size_t measured = control ? 5 : window ? 2 : values.size();
    const std::vector<long>& got = found->second;
    // A control may be larger than its place scaled where its caption needs
    // it, but then no more than a few pixels larger than the caption.
    const bool grownForCaption = control && got.size() > 5 && got[5] >= 0 && got[5] <= 2;
    // A window made smaller to fit moves and shortens its controls in the
    // direction it gave up room; the record checks that they stay whole.
    const auto shrunk =
        control ? scaled.lines.find("window " + key.substr(8, key.find(' ', 8) - 8)) : scaled.lines.end();
    const auto gave = [&](size_t i) {
      return i < 4 && shrunk != scaled.lines.end() && shrunk->second.size() > 3 && shrunk->second[2 + i % 2];
    };
    for (size_t i = 0; i < measured && i < values.size() && i < got.size(); ++i) {
      if (dropDown && i == 3) continue;
      if (gave(i)) continue;
      if (window && got.size() > i + 2 && got[i + 2]) continue;
      const long expected = MulDiv(static_cast<int>(values[i]), scaled.dpi, design.dpi);
      if (std::labs(got[i] - expected) <= 1) continue;
      if (grownForCaption && i < 4) {
        const size_t start = i % 2, size = start + 2;  // x and width, or y and height
        const long from = MulDiv(static_cast<int>(values[start]), scaled.dpi, design.dpi);
        const long to = from + MulDiv(static_cast<int>(values[size]), scaled.dpi, design.dpi);
        if (got[start] <= from + 1 && got[start] + got[size] >= to - 1) continue;
      }
      fault("not scaled (value " + std::to_string(i + 1) + ")", key);
      break;
    }
    if (control && got.size() > 5 && got[5] < 0) fault("caption clipped", key);
    if (control && got.size() > 6 && got[6] == 0 && scaled.dpi != design.dpi)
      fault("caption touches the key's edge", key);
  }
  std::printf("%zu records compared at %d DPI against %d DPI: %d faults\n", design.lines.size(), scaled.dpi, design.dpi,
              faults);
  return faults ? 1 : 0;
}

}  // namespace tallix::dpi_probe
