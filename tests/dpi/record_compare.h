#pragma once
// Compares the DPI layout probe's record at one DPI with that at the design DPI.
#include <string>

namespace tallix::dpi_probe {

// Each place, size and font height of the record is that of the design
// record times the scale, within a pixel; every caption fits, to the last
// pixel; scaled, a key's caption keeps a pixel clear of the key's edge (the
// design layout may use the whole face).
int Compare(const std::string& designPath, const std::string& path);

}  // namespace tallix::dpi_probe
