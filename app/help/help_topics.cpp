#include "app/help/help_topics.h"

#include <array>
#include <string>

namespace tallix {
namespace {

constexpr std::array<HelpTopic, 17> kTopics = {{
    {100, L"Tallix Overview", 0},
    {200, L"Menu Items", 0},
    {210, L"File", 200},
    {220, L"Edit", 200},
    {230, L"View", 200},
    {240, L"Help", 200},
    {300, L"Buttons", 0},
    {310, L"Numeric Buttons", 300},
    {320, L"Operator Buttons", 300},
    {330, L"Clear Buttons", 300},
    {340, L"Memory Buttons", 300},
    {350, L"Function Buttons", 300},
    {360, L"Special Function Buttons", 300},
    {370, L"Conversion Button", 300},
    {380, L"Stopwatch Buttons", 300},
    {400, L"Number System Option Buttons", 0},
    {500, L"Keyboard Equivalents", 0},
}};

constexpr std::wstring_view kExpand = L"Expand and click on an item for instructions.";

constexpr std::wstring_view kOverview =
    LR"(Tallix is a calculator with a paper tape: every number you enter, every operator and every result is written as a line on the tape beside the keypad, so you can check a long calculation at a glance, print it or keep it in a file.

Some of Tallix's Features include...

 - Portable and small: no installation, all settings kept in Tallix.ini beside the program
 - Laptop 10 Key support: letters act as a numeric keypad
 - Standard calculator and adding machine modes
 - Transfer calculator
 - Decimal, hexadecimal, binary and octal number systems, with conversion between them
 - A coloured tape that can be printed and saved
 - Loan calculator with an amortization schedule and up to 20 loan profiles
 - Area and volume calculators in metric or standard units
 - Over 60 unit conversions in seven categories
 - Floating, fixed and automatic decimals
 - Tax and change keys
 - Memory banks kept in the settings file
 - Repeat entry in adding machine mode
 - Tooltips on every key
 - Always on top
 - Automatic average in the status bar
 - Stopwatch with lap times written on the tape
 - Item count)";

constexpr std::wstring_view kFileMenu =
    LR"(Save Tape
Writes the tape to a text file of your choice: a dated heading, every tape line, then the display and the last total, so that Load Tape can carry on from it.

Load Tape
Adds the lines of a tape file saved before to the end of the tape, shows the display it was saved with and keeps its last total. A long tape shows its progress while it loads; keys pressed meanwhile are ignored.

Print Tape
Prints the tape on the printer you choose, under a dated heading; subtractions and negative numbers print in red.

Export Tape...
Writes the tape to a CSV file for a spreadsheet: a row for each line, with the number as the tape shows it, its value as a plain decimal number (hexadecimal, binary and octal numbers too), the operator and the whole line.

Keep Tape Between Sessions
While Tallix runs, what makes the tape is kept in a journal beside Tallix.ini, written to the disk at the end of each calculation and at least every two seconds. If Tallix is closed by a crash, a power cut or a restart of Windows, the next start brings the tape, the display and the status bar back as they were, and a restored number can still be corrected. With this item checked, a normal exit keeps the tape too; unchecked, Tallix starts with an empty tape after a normal exit.

Show Tape
Shows or hides the tape beside the keypad. A hidden tape keeps its lines.

Show StatusBar
Shows or hides the status bar with the Num Lock state, the date, the item count, the average and the memory.

Show Stopwatch
Shows or hides the stopwatch bar. A running stopwatch keeps running while it is hidden.

Options
Chooses the calculation mode, the tax rate, Laptop 10 Key support and Always on Top.
In Standard Calculator mode you enter a sign before the number, as on a pocket calculator: 5 + 3 = gives 8.
In Adding Machine mode you enter the sign after the number, as on a desk adding machine: 5 + 3 + adds both, and pressing + or - again without a new entry repeats the last entry.
Laptop 10 Key support lets the letters around 7, 8 and 9 act as a numeric keypad: M = 0, J = 1, K = 2, L = 3, U = 4, I = 5, O = 6, 0 = ÷, / = +, ; = -, P = ×.

Exit
Closes Tallix. Every setting is already saved.)";

constexpr std::wstring_view kEditMenu =
    LR"(Copy
Copies the number in the display to the clipboard and writes Copy with the number on the tape.

Paste
Puts the number on the clipboard into the display; digits you type next extend it.

Correct Last Entry...
Asks for the number the last number you typed should have been, and makes the tape, the totals and the memory again as if you had typed it so. A double click on the tape line of any number typed since the tape was last cleared or loaded does the same for that number.

Undo Correction
Puts the number of the last correction back as it was typed, with everything you typed since, and takes the correction's note off the tape.

Add Note...
Asks for a short note (up to 60 characters) and puts it on the tape as a line of its own, in double quotes: what a total was for, who paid. Ctrl-N does the same. A note stays where it is when a number before it is corrected, and is saved, printed and exported with the tape.)";

constexpr std::wstring_view kViewMenu =
    LR"(Digit Grouping
Shows or hides the thousands commas in the display and on the tape. Turn it off before you copy a result into another program that does not read commas.

Decimals
Floating shows as many decimals as the number needs. 0 to 4 always show that many decimals, rounding the rest. Auto Decimal places the decimal point for you: with 2 decimals, typing 1234 enters 12.34.)";

constexpr std::wstring_view kHelpMenu =
    LR"(Help Topics
Opens this screen.

Keyboard Equivalents
Opens the table of keyboard shortcuts.

About
Shows the program's name and version.)";

constexpr std::wstring_view kNumericKeys =
    LR"(0 to 9 - Keyboard Equivalent = 0 to 9
Enter a digit of the number in the display.

A to F - Keyboard Equivalent = A to F
Hexadecimal digits, usable while the Hex number system is chosen.

. - Keyboard Equivalent = .
Starts the decimal part of the number.

+/- - Keyboard Equivalent = F9
Changes the sign of the number in the display.)";

constexpr std::wstring_view kOperatorKeys =
    LR"(+ - Keyboard Equivalent = +
Adds the next number (adding machine: adds the number just entered).

- - Keyboard Equivalent = -
Subtracts the next number (adding machine: subtracts the number just entered).

× - Keyboard Equivalent = *
Multiplies by the next number.

÷ - Keyboard Equivalent = /
Divides by the next number.

= - Keyboard Equivalent = = or Enter
Completes the calculation and writes the result on the tape.

% - Keyboard Equivalent = %
Takes a percentage: 200 × 15 % gives 30.)";

constexpr std::wstring_view kClearKeys =
    LR"(Back - Keyboard Equivalent = Backspace
Removes the last digit typed.

CE - Keyboard Equivalent = Delete
Clears the number in the display and keeps the calculation.

Clear - Keyboard Equivalent = Esc
Clears the calculation and writes Clear on the tape.

CT - Keyboard Equivalent = Shift + Esc
Clears the whole tape after asking.)";

constexpr std::wstring_view kMemoryKeys =
    LR"(MS - Stores the display in memory.
MR - Recalls the memory into the display.
MC - Clears the memory.
M+ - Adds the display to the memory.
2nd - Switches between the two memory banks, M1 and M2. Both banks are kept in the settings file, so they are still there the next time Tallix starts.)";

constexpr std::wstring_view kFunctionKeys =
    LR"(1/x - Keyboard Equivalent = r
Divides 1 by the number in the display.

+Tax - Keyboard Equivalent = t
Adds the tax rate set in Options to the display. Example: with a rate of 8.25, 100 +Tax gives 108.25.

Chg - Keyboard Equivalent = g
Works out the change to give back. Example: after a total of 17.35, type the amount paid, 20, and press Chg: the tape shows the change, 2.65.)";

constexpr std::wstring_view kSpecialKeys =
    LR"(Feed - Keyboard Equivalent = <UP ARROW>
Writes an empty line on the tape.

Area
Opens the area calculator, in metric or standard units.

Vol
Opens the volume calculator, in metric or standard units.

Loan
Opens the loan calculator with its amortization schedule and up to 20 saved loan profiles.

FTPC
Opens the transfer test: it writes a test file of the size you choose into a folder, reads it back, deletes it and shows how fast each went.

[O]
Always on Top: keeps Tallix above all other windows while it is pressed.)";

constexpr std::wstring_view kConversionKey =
    LR"(Cnv writes the number in the display in every unit of a category on the tape:
1. Enter the number you want to convert.
2. Press Cnv: the conversion menu opens.
3. Open a category, such as Length or Weight.
4. Click the unit the number is in, such as Inches.
5. The menu closes and the tape shows the number in every unit of the category, Inches, Feet, Yards and so on. The display keeps the number. A click outside the menu closes it without converting.
From the keyboard, the arrow keys move through the categories and units without converting, Enter converts from the unit chosen and Esc closes the menu.)";

constexpr std::wstring_view kStopwatchKeys =
    LR"(Start/Stop - Keyboard Equivalent = Space
Starts the stopwatch; pressed again, stops it. A later start continues from the time shown.

Lap
While the stopwatch runs, writes the time shown on the tape, for example 00:01:05:20 LAP.

Reset
While the stopwatch is stopped, sets it back to 00:00:00:00.)";

constexpr std::wstring_view kNumberSystems =
    LR"(Dec
Decimal numbers, with every key and decimal setting available.

Hex
Hexadecimal numbers: the keys A to F enter the digits 10 to 15. Whole numbers only.

Bin
Binary numbers: only the keys 0 and 1 enter digits. Whole numbers only.

Oct
Octal numbers: the keys 0 to 7 enter digits. Whole numbers only.

Ctrl-Shift and the system's initial (D, H, B or O) chooses it from the keyboard; so do Tab and the arrow keys.

Choosing another system converts the number in the display to it. Hexadecimal, binary and octal numbers are whole numbers of 32 bits: a number with decimals is rounded when you switch to them.)";

constexpr std::wstring_view kKeyboard =
    LR"(Button	Keyboard
------	--------
0-9	0-9
A-F	A-F
.	.
+/-	F9
Back	Backspace
CE	Delete
Clear	Esc
CT	Shift + Esc
+	+
-	-
×	*
÷	/
=	= or Enter
%	%
1/x	r
+Tax	t
Chg	g
Feed	<UP ARROW>
Help	F1
Copy	Ctrl-C
Paste	Ctrl-V
Add Note	Ctrl-N
MC	Ctrl-L
MR	Ctrl-R
MS	Ctrl-M
M+	Ctrl-P
2nd	Ctrl-B
[O]	Ctrl-T
Cnv	F2
Area	F3
Vol	F4
Loan	F5
File transfer	F6
Start	Space
Lap	F7
Reset	F8
Dec	Ctrl-Shift-D
Hex	Ctrl-Shift-H
Bin	Ctrl-Shift-B
Oct	Ctrl-Shift-O

Tab reaches the number system buttons and the arrow keys choose among them; Tab again, or any other key, goes back to typing.

Alt and the underlined letter opens a menu (Alt-F for File); each menu shows the keys of its commands.

Laptop 10 Key Support includes...

M = 0
J = 1
K = 2
L = 3
U = 4
I = 5
O = 6
7, 8 and 9 stay 7, 8 and 9
0 = ÷
/ = +
; = -
P = ×)";

struct TopicText {
  int number;
  std::wstring_view text;
};

constexpr std::array<TopicText, 17> kTexts = {{
    {100, kOverview},
    {200, kExpand},
    {210, kFileMenu},
    {220, kEditMenu},
    {230, kViewMenu},
    {240, kHelpMenu},
    {300, kExpand},
    {310, kNumericKeys},
    {320, kOperatorKeys},
    {330, kClearKeys},
    {340, kMemoryKeys},
    {350, kFunctionKeys},
    {360, kSpecialKeys},
    {370, kConversionKey},
    {380, kStopwatchKeys},
    {400, kNumberSystems},
    {500, kKeyboard},
}};

}  // namespace

std::span<const HelpTopic> HelpTopics() { return kTopics; }

std::optional<std::wstring> HelpTopicText(int number) {
  for (const TopicText& topic : kTexts) {
    if (topic.number != number) continue;
    // Written with line feeds here; the edit field breaks lines at CR LF only.
    std::wstring text;
    for (const wchar_t c : topic.text) {
      if (c == L'\n') text += L'\r';
      text += c;
    }
    return text;
  }
  return std::nullopt;
}

}  // namespace tallix
