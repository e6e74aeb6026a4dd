// xp-trait: writes the SOLAR phenotype file from a numbered pedigree and a phenotype file.
//
//   check arguments -> open phenotypes, pedigree, output -> write_solar_phenotypes -> close
//
// Exit status 0 when the file is written; 1 for the usage text, a file that cannot be opened,
// or a fault in an input (the incomplete output is then removed).
#include "common/freeform/join_run.hpp"
#include "xp-trait/solar_phenotypes.hpp"
#include "xp-trait/usage.hpp"

int main(int argc, char** argv) {
  if (argc != 4) {
    xptrait::print_usage();
    return 1;
  }
  const char* pedigree_name = argv[1];
  const char* phenotypes_name = argv[2];
  return freeform::run_join(
      "xp-trait", phenotypes_name, pedigree_name, argv[3], "error opening file %s\n",
      [&](freeform::ItemStream& phenotypes, freeform::ItemStream& pedigree, files::OutputFile& out) {
        return xptrait::write_solar_phenotypes({phenotypes, phenotypes_name}, {pedigree, pedigree_name},
                                               out);
      });
}
