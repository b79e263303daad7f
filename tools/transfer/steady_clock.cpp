#include <chrono>

#include "tools/transfer/transfer_io.h"

namespace tallix::transfer {

long double SteadyClock::Seconds() {
  using Seconds = std::chrono::duration<long double>;
  return std::chrono::duration_cast<Seconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace tallix::transfer
