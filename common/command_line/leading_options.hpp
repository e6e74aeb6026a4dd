// A command line of options in front of operands, each option a name and its value
// ("-p 2"), as the import tools take them.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace command_line {

// Hands each option of `argv` to `take` (name, value) until "--", which is passed over, or the
// first argument that is not an option ("-" alone is an operand). Returns the index of the
// first operand, or -1 when an option has no value or `take` refuses it.
int read_leading_options(int argc, char** argv,
                         const std::function<bool(std::string_view, std::string_view)>& take);

// Reads the options through `take` as read_leading_options does, then exactly as many operands
// as `operands` names, none of them empty, into them in order. Returns false when the command
// line is not of that form; the caller then prints the usage text.
bool read_command_line(int argc, char** argv,
                       const std::function<bool(std::string_view, std::string_view)>& take,
                       std::initializer_list<std::string*> operands);

}  // namespace command_line
