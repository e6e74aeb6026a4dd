// xp-fam: converts a raw pedigree into SOLAR's comma-separated pedigree file.
//
//   open input -> open output -> skip the descriptive line -> header -> convert_records
//
// The output is written as the input is read, so a refused input leaves the header and the
// records before the failing one; an output that cannot be written is removed. Exit status 0
// when every record is written, 1 otherwise.
#include <cstdio>
#include <string>

#include "common/files/same_file.hpp"
#include "common/outcome/finish.hpp"
#include "xp-fam/command_line.hpp"
#include "xp-fam/convert.hpp"
#include "xp-fam/numbered_input.hpp"

int main(int argc, char** argv) {
  const outcome::Program& program = outcome::programs::xp_fam;
  xpfam::Options options;
  if (auto ended = xpfam::parse(argc, argv, options)) return outcome::finish(program, ended);
  // Said before the run and not in place of it: xp-fam converts what it is given.
  if (xpfam::looks_numbered(options.infile) && !files::same_file(options.infile.c_str(), options.outfile.c_str()))
    outcome::warn(program, options.infile + " looks like a numbered pedigree (written by famorder); xp-fam "
                                            "reads the raw pedigree that famorder reads");
  return outcome::finish(program, xpfam::convert_file(options.infile, options.outfile));
}
