// xp-geno: writes the SOLAR marker file from a numbered pedigree and a marker genotype file.
//
//   check arguments -> open pedigree, markers, output -> write_solar_markers -> close
//
// Exit status 0 when the file is written; 1 for the usage text, a file that cannot be opened,
// or a fault in an input (the incomplete output is then removed).
#include "common/freeform/join_run.hpp"
#include "common/outcome/finish.hpp"
#include "xp-geno/command_line.hpp"
#include "xp-geno/solar_markers.hpp"

int main(int argc, char** argv) {
  const outcome::Program& program = outcome::programs::xp_geno;
  xpgeno::Options names;
  if (auto ended = xpgeno::parse(argc, argv, names)) return outcome::finish(program, ended);
  return outcome::finish(
      program, freeform::run_join(program.name, names.pedigree, names.markers, names.outfile, "error opening file %s",
                                  [&](freeform::ItemStream& pedigree, freeform::ItemStream& markers,
                                      files::OutputFile& out) {
                                    return xpgeno::write_solar_markers({pedigree, names.pedigree},
                                                                       {markers, names.markers}, out);
                                  }));
}
