// xp-geno: writes the SOLAR marker file from a numbered pedigree and a marker genotype file.
//
//   check arguments -> open pedigree, markers, output -> write_solar_markers -> close
//
// Exit status 0 when the file is written; 1 for the usage text, a file that cannot be opened,
// or a fault in an input (the incomplete output is then removed).
#include "common/freeform/join_run.hpp"
#include "xp-geno/solar_markers.hpp"
#include "xp-geno/usage.hpp"

int main(int argc, char** argv) {
  if (argc != 4) {
    xpgeno::print_usage();
    return 1;
  }
  const char* pedigree_name = argv[1];
  const char* markers_name = argv[2];
  return freeform::run_join(
      "xp-geno", pedigree_name, markers_name, argv[3], "error opening file %s",
      [&](freeform::ItemStream& pedigree, freeform::ItemStream& markers, files::OutputFile& out) {
        return xpgeno::write_solar_markers({pedigree, pedigree_name}, {markers, markers_name}, out);
      });
}
