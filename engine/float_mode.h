#pragma once
// The floating-point mode every calculation assumes: 64-bit x87 precision,
// rounding to nearest, all exceptions masked (a division by zero gives an
// infinity, never a trap). Some runtimes start with 53-bit precision, so the
// application calls UseCalculatorFloatMode at start-up; the engine calls it too.

namespace tallix {

void UseCalculatorFloatMode();

// The x87 control word (precision, rounding and exception masks), or 0 where
// the processor has no x87 unit.
unsigned X87ControlWord();

}  // namespace tallix
