// The end of every run: each program's main returns finish(program, result).
#pragma once

#include <string_view>

#include "common/outcome/outcome.hpp"
#include "common/outcome/program.hpp"

namespace outcome {

// Ends the run of `program` with `result` and returns its exit status: 0 for an empty
// `result`; for a stop, prints its text as `program` prints it (Program, Shape) and returns
// 1, the program's usage status after the usage text, or the status of a stop already told.
// A program whose refusal is the fatal stop does not return from its own messages
// (records::sstop exits with status 1). Text is printed up to any NUL byte that a read file
// may have put in it.
int finish(const Program& program, const Outcome& result);

// The whole run of a program that reads its command line with `parse` (argc, argv, Options&)
// into Options and does its work with `work` (const Options&): either's result ends the run
// through finish. Returns the exit status.
template <class Options, class Parse, class Work>
int finish(const Program& program, int argc, char** argv, Parse parse, Work work) {
  Options options;
  if (const Outcome ended = parse(argc, argv, options)) return finish(program, ended);
  return finish(program, work(options));
}

// A warning of `program`: one line on standard error, "<name>: <text>".
void warn(const Program& program, std::string_view text);

}  // namespace outcome
