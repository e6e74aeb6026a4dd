// The options in front of a program's operands, each a name and its value ("-p 2"), as the
// import tools take them.
#pragma once

#include <functional>
#include <string_view>

namespace command_line {

// Hands each option of `argv` to `take` (name, value) until "--", which is passed over, or the
// first argument that is not an option ("-" alone is an operand). Returns the index of the
// first operand, or -1 when an option has no value or `take` refuses it.
int read_leading_options(int argc, char** argv,
                         const std::function<bool(std::string_view, std::string_view)>& take);

}  // namespace command_line
