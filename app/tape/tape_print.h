#pragma once
// Print Tape's report: the tape file's heading and tape lines on paper.

#include <span>
#include <string>

#include "app/tape/tape_file.h"
#include "services/print_layout.h"

namespace tallix {

// The heading, two empty lines, then every tape line right-aligned as in the
// file, red when it records a negative number or a subtraction and black
// otherwise, and a form feed at the end. A tape longer than a page goes on
// over further pages, each starting with the heading followed by its page
// number (", page 2"), so that loose sheets can be put back in order. The
// first page is as a one-page tape always was, its heading without a number.
void PrintTapeReport(PrintLayout& printer, std::span<const std::string> lines, const TapeStamp& stamp);

}  // namespace tallix
