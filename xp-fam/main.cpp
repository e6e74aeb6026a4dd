// xp-fam: converts a raw pedigree into SOLAR's comma-separated pedigree file.
//
//   open input -> open output -> skip the descriptive line -> header -> convert_records
//
// The output is written as the input is read, so a refused input leaves the header and the
// records before the failing one. Exit status 0 when every record is written, 1 otherwise.
#include <cstdio>

#include "convert.hpp"

namespace {

const char* usage() {
  return "USAGE: xp-fam pedigree outfile\n"
         "       pedigree  --- input pedigree file (before \"famorder\")\n"
         "       outfile --- output pedigree file in SOLAR format\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs(usage(), stdout);
    return 1;
  }
  if (const outcome::Outcome failed = xpfam::convert_file(argv[1], argv[2])) {
    std::fputs(failed->text.c_str(), stdout);
    return 1;
  }
  return 0;
}
