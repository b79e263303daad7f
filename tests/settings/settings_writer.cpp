// A writer of its own process, for the tests of several processes writing one
// settings file: settings_writer FILE SECTION COUNT writes the keys K0 to
// K<COUNT-1> of SECTION, every other one through a batch. Exits 1 if a write
// reported failure.
#include <cstdlib>
#include <string>

#include "app/settings/ini_file.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string file = argv[1];
  const std::string section = argv[2];
  bool failed = false;
  for (int i = 0, count = std::atoi(argv[3]); i < count; ++i) {
    const std::string key = "K" + std::to_string(i);
    if (i % 2 == 0) {
      failed = !tallix::WriteSetting(file, section, key, std::to_string(i)) || failed;
    } else {
      tallix::IniSettingsBatch batch(file);
      batch.Write(section, key, std::to_string(i));
      failed = !batch.Commit() || failed;
    }
  }
  return failed ? 1 : 0;
}
