// The command line of the traditional programs that take a fixed number of file names and
// nothing else (famorder, xp-fam, extract, xp-geno, xp-trait). A header alone: they need only
// the standard library.
#pragma once

#include <initializer_list>
#include <string>

#include "common/outcome/outcome.hpp"

namespace command_line {

// Takes argv[1], argv[2], ... (argc entries, the program name first) into `operands` in order
// when there are exactly as many; else returns the usage text `usage` as the end of the run.
inline outcome::Outcome exact_operands(int argc, const char* const* argv, const char* usage,
                                       std::initializer_list<std::string*> operands) {
  if (argc != static_cast<int>(operands.size()) + 1) return outcome::usage(usage);
  const char* const* argument = argv + 1;
  for (std::string* operand : operands) *operand = *argument++;
  return std::nullopt;
}

}  // namespace command_line
