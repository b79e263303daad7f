#include "ui/contrast.h"

#include <windows.h>

namespace tallix::ui {
namespace {

std::optional<bool> overridden;

}  // namespace

bool HighContrastOn() {
  if (overridden) return *overridden;
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void OverrideHighContrast(std::optional<bool> on) { overridden = on; }

}  // namespace tallix::ui
