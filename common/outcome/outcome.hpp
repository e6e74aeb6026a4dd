// The one result of every step that may find that a run must stop: nothing when the step went
// well, else the message that tells the user why. Library code returns it and never prints;
// each program's driver decides, in one place, how the run then ends (the fatal stop, or a
// message and an exit status of its own).
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace outcome {

// Why the run must stop, worded for the user as the driver prints it.
struct Stop {
  std::string text;
};

// A step's result: empty when the step succeeded.
using Outcome = std::optional<Stop>;

// The result of a step that found a fault: `text` is the whole message.
inline Outcome stop(std::string text) { return Stop{std::move(text)}; }

// The start of a message about line `line` of the file `file`: "FILE, line N: ", the shape of
// every such message of the import tools and of the readers that share it.
inline std::string at_line(std::string_view file, long long line) {
  return std::string(file) + ", line " + std::to_string(line) + ": ";
}

// The end of a run that must stop, for the programs that tell the user on standard output
// rather than through the fatal stop: prints `text` up to any NUL byte that a read file may
// have put in it, and gives the exit status 1.
inline int refuse(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  return 1;
}

// The same for the programs whose messages are single lines without their line end.
inline int refuse_line(const std::string& text) {
  refuse(text);
  std::fputc('\n', stdout);
  return 1;
}

}  // namespace outcome
