// The chain's steps for a study beyond a program's table. The nine programs keep their tables;
// when one of them refuses an input for its table's size alone, simreps runs that program's own
// steps in this process on tables sized by the input, up to the limits of the files
// themselves, and refuses what the program would refuse for any other reason, in its words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"
#include "simreps/inputs.hpp"

namespace simreps {

// Whether `printed`, all that `program` printed as it stopped (its own "<program>:" lines
// aside: warnings, and the line that points to simreps), is its refusal of an input too
// large for its table (famorder's pedigrees; famlint's records or families; genodrop's individuals, family blocks or loci;
// traitsim's individuals; xp-loci's loci).
bool table_refusal(const std::string& program, const std::string& printed);

// Runs `program` with `arguments` as the chain runs it in the folder `work`, in this process,
// its tables sized by the input. Returns its refusal as run_step words it, naming the step;
// `notes` gets what the program prints when it passes (famlint's race notices).
outcome::Outcome run_beyond_tables(const std::string& work, const std::string& program,
                                   const std::vector<std::string>& arguments, std::string& notes);

}  // namespace simreps
