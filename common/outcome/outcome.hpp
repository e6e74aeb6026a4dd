// The one result of every step that may find that a run must stop: nothing when the step went
// well, else the message that tells the user why. Library code returns it and never prints;
// each program's main hands it to outcome::finish (finish.hpp), which ends the run as the
// program always has (the fatal stop, or a message and an exit status of its own).
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace outcome {

// What a message is, for the driver that ends the run with it (outcome::finish).
enum class Shape {
  own,    // a message of the program's own, one line: finish names the program where it
          // names itself, and ends it the program's way
  whole,  // a text that keeps its bytes (a traditional message, or one that names the program
          // already): printed on standard output as it stands
  usage,  // the usage text: printed, and the run ends with the program's usage status
  told,   // already told the user: the run ends with `status` and nothing more is printed
};

// Why the run must stop, worded for the user as the driver prints it.
struct Stop {
  std::string text;
  Shape shape = Shape::own;
  int status = 1;  // the exit status, for a stop already told
};

// A step's result: empty when the step succeeded.
using Outcome = std::optional<Stop>;

// The result of a step that found a fault: `text` is the whole message.
inline Outcome stop(std::string text) { return Stop{std::move(text)}; }

// A text printed as it stands: no name in front, its own line ends.
inline Outcome whole(std::string text) { return Stop{std::move(text), Shape::whole}; }

// The same for a result whose text keeps its bytes (a library's message that names the
// program already, or a traditional one).
inline Outcome whole(Outcome result) {
  if (result) result->shape = Shape::whole;
  return result;
}

// The usage text `text`, as the end of a run.
inline Outcome usage(std::string text) { return Stop{std::move(text), Shape::usage}; }

// A run whose end is told already (a report printed, a help text): `status` 0 is a run that
// went well.
inline Outcome told(int status) {
  if (status == 0) return std::nullopt;
  return Stop{std::string(), Shape::told, status};
}

// The start of a message about line `line` of the file `file`: "FILE, line N: ", the shape of
// every such message of the import tools and of the readers that share it.
inline std::string at_line(std::string_view file, long long line) {
  return std::string(file) + ", line " + std::to_string(line) + ": ";
}

}  // namespace outcome
