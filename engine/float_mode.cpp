#include "engine/float_mode.h"

#include <cfenv>

namespace tallix {

namespace {

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
constexpr unsigned kExceptionMasks = 0x003F;
constexpr unsigned kPrecisionMask = 0x0300;
constexpr unsigned kPrecision64 = 0x0300;
constexpr unsigned kRoundingMask = 0x0C00;  // 00 = to nearest
#define TALLIX_HAS_X87 1
#endif

}  // namespace

unsigned X87ControlWord() {
#ifdef TALLIX_HAS_X87
  unsigned short word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
#else
  return 0;
#endif
}

void UseCalculatorFloatMode() {
  std::fesetround(FE_TONEAREST);
#ifdef TALLIX_HAS_X87
  unsigned word = X87ControlWord();
  word = (word & ~(kPrecisionMask | kRoundingMask)) | kPrecision64 | kExceptionMasks;
  auto newWord = static_cast<unsigned short>(word);
  __asm__ volatile("fldcw %0" : : "m"(newWord));
#endif
}

}  // namespace tallix
