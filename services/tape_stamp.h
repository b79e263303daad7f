#pragma once
// When a printed or saved report was made, in local time: the tape report's
// heading and the loan report's "Printed by" line both carry one.

namespace tallix {

struct TapeStamp {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

TapeStamp LocalTapeStampNow();

}  // namespace tallix
