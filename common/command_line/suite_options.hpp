// The command lines of the suite's own tools, read with CLI11, configured once here so that
// every tool reads its options the same way and words what is wrong in the suite's words
// ("-n must be a whole number from 1 to 2147483647"), never in CLI11's.
//
// The form is the traditional one: options in front of the operands, each option at most once,
// an option's value the word after it whatever it looks like; "--" or the first operand ends
// the options ("-" alone is an operand). simreps alone keeps the form and the words it has
// always had, CLI11's own (parse_free_form).
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "common/outcome/outcome.hpp"

namespace command_line {

// A parser named `program` with no help or version flag of CLI11's own: a tool that has them
// adds them itself, and one that has none refuses them like any unknown option.
void configure(CLI::App& app);

// Adds the option `name` (as CLI11 names it, "-p" or "-p,--population") whose value is a whole
// decimal number from `low` to `high`, read into `value`. Signs, other bases, blanks and
// anything after the digits are refused.
CLI::Option* add_whole_number(CLI::App& app, const std::string& name, long long& value, long long low,
                              long long high);

// A whole decimal number written in digits alone (no sign, no blank), or nothing; one too
// large for a long long is taken as LLONG_MAX, beyond every range.
std::optional<long long> whole_number(const std::string& text);

// Reads `argv` (argc entries, the program name first) into the options and operands of `app`.
// Returns nothing, or what is wrong with the command line, one line without the program's name
// (outcome::finish puts it in front).
outcome::Outcome parse(CLI::App& app, int argc, const char* const* argv);

// Reads `argv` as CLI11 itself reads it: options anywhere among the operands, "--name=value",
// short flags run together. For simreps, whose command line has always been read so. A help
// or version flag of `app` ends the run with its text (outcome::usage: printed as it stands,
// with the program's usage status); what is wrong comes in CLI11's words with the pointer to
// --help, one whole text (outcome::whole) whose last line end finish puts back.
outcome::Outcome parse_free_form(CLI::App& app, int argc, const char* const* argv);

}  // namespace command_line
