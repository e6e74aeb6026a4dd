// xp-trait: writes the SOLAR phenotype file from a numbered pedigree and a phenotype file.
//
//   check arguments -> open phenotypes, pedigree, output -> write_solar_phenotypes -> close
//
// Exit status 0 when the file is written; 1 for the usage text, a file that cannot be opened,
// or a fault in an input (the incomplete output is then removed).
#include "common/freeform/join_run.hpp"
#include "common/outcome/finish.hpp"
#include "xp-trait/command_line.hpp"
#include "xp-trait/solar_phenotypes.hpp"

namespace {

const outcome::Program& program = outcome::programs::xp_trait;

outcome::Outcome run(const xptrait::Options& names) {
  return freeform::run_join(
      program.name, names.phenotypes.c_str(), names.pedigree.c_str(), names.outfile.c_str(), "error opening file %s\n",
      [&](freeform::ItemStream& phenotypes, freeform::ItemStream& pedigree, files::OutputFile& out) {
        return xptrait::write_solar_phenotypes({phenotypes, names.phenotypes}, {pedigree, names.pedigree}, out);
      });
}

}  // namespace

int main(int argc, char** argv) { return outcome::finish<xptrait::Options>(program, argc, argv, xptrait::parse, run); }
