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

namespace {

const outcome::Program& program = outcome::programs::xp_geno;

outcome::Outcome run(const xpgeno::Options& names) {
  return freeform::run_join(
      program.name, names.pedigree.c_str(), names.markers.c_str(), names.outfile.c_str(), "error opening file %s",
      [&](freeform::ItemStream& pedigree, freeform::ItemStream& markers, files::OutputFile& out) {
        return xpgeno::write_solar_markers({pedigree, names.pedigree}, {markers, names.markers}, out);
      });
}

}  // namespace

int main(int argc, char** argv) { return outcome::finish<xpgeno::Options>(program, argc, argv, xpgeno::parse, run); }
