// The one line a program adds on standard error when it refuses an input only because its
// table is too small for it: the count it met, its limit, and the program that runs such an
// input. The refusal itself (its text, the files, the exit status) stays as it always was.
#pragma once

#include <string>
#include <string_view>

namespace outcome {

// "<program>: <subject> has <count> <unit>, above <owner> <limit>; simreps -n 1 runs it",
// without a line end. `owner` is "this program's" for the program's own table.
inline std::string beyond_table(std::string_view program, std::string_view subject, long long count,
                                std::string_view unit, long long limit,
                                std::string_view owner = "this program's") {
  std::string line(program);
  line += ": ";
  line += subject;
  line += " has " + std::to_string(count) + " ";
  line += unit;
  line += ", above ";
  line += owner;
  line += " " + std::to_string(limit) + "; simreps -n 1 runs it";
  return line;
}

}  // namespace outcome
