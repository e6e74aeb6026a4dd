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
#include "xp-fam/convert.hpp"
#include "xp-fam/numbered_input.hpp"

namespace {

const char* usage() {
  return "USAGE: xp-fam pedigree outfile\n"
         "       pedigree  --- input pedigree file (before \"famorder\")\n"
         "       outfile --- output pedigree file in SOLAR format\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return outcome::refuse(usage());
  const std::string infile = argv[1], outfile = argv[2];
  // Said before the run and not in place of it: xp-fam converts what it is given.
  if (xpfam::looks_numbered(infile) && !files::same_file(infile.c_str(), outfile.c_str())) {
    std::fprintf(stderr,
                 "xp-fam: %s looks like a numbered pedigree (written by famorder); xp-fam "
                 "reads the raw pedigree that famorder reads\n",
                 infile.c_str());
  }
  if (const outcome::Outcome failed = xpfam::convert_file(infile, outfile)) {
    return outcome::refuse(failed->text);
  }
  return 0;
}
