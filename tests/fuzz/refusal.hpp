// What a fuzz target needs beside the reader it drives: the ends of a run turned into an
// exception, and checks that a refusal is an orderly one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fuzz {

// Thrown where a program would end: by the record layer's diagnostic (abort) or a fatal stop
// (exit status). Catching it means the reader refused the input in an orderly way.
struct Refusal {
  enum class Kind { diagnostic, stop } kind;
  int status = 0;
};

// Stops the process with a finding when `condition` is false: a refusal without its message,
// a result outside what the reader promises. Prints `what` to standard error first.
void expect(bool condition, std::string_view what);

// After a caught Refusal: closes whatever the record layer still holds open, as the process
// end would have, so the next input starts clean.
void after_refusal();

}  // namespace fuzz
