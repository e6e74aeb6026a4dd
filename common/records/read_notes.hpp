// Notes the record layer hands a program while it reads, for the warnings a program may print:
// a value that the layout scaled because it was written without a decimal point, and a read
// that is about to end the run with the diagnostic. The layer reads exactly the same whether
// or not a program listens.
#pragma once

#include <string>
#include <string_view>

namespace records {

// A real read under a layout with `decimals` implied decimals from a field written without a
// decimal point, so that "1" under F9.3 was read as 0.001.
struct ImpliedDecimals {
  std::string_view file;  // the file's name
  long line = 0;          // counted from 1
  std::string_view text;  // the field without its leading and trailing blanks
  int decimals = 0;
  double value = 0;       // the value read
  bool single = false;    // read into a float: `value` is shown as the float it is
};
using ImpliedDecimalsNote = void (*)(const ImpliedDecimals& note);

// Makes `note` hear of every later such value; nullptr stops it. Without a note the layer
// spends nothing on the check.
void on_implied_decimals(ImpliedDecimalsNote note);

// The warning line for `note`, without its line end:
//   traitsim: model.wrk line 10: "1" has no decimal point and is read as 0.001; write 1.000
std::string implied_decimals_warning(std::string_view program, const ImpliedDecimals& note);

// A read of line `line` of `file` that ends the run with the read diagnostic for `reason`;
// `text` is the line read last.
struct ReadFault {
  std::string_view file;
  long line = 0;
  std::string_view text;
  std::string_view reason;
};
using ReadFaultNote = void (*)(const ReadFault& fault);

// Makes `note` hear of a fault of reading just before the diagnostic's lines are printed, so
// that a program can say on one line of its own what the file should look like; nullptr stops
// it. The note must not read or stop.
void on_read_fault(ReadFaultNote note);

// Internal to the layer: the notes in force.
ImpliedDecimalsNote implied_decimals_note();
ReadFaultNote read_fault_note();

}  // namespace records
