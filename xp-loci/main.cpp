// xp-loci: writes the SOLAR map from a chromosome file.
//
//   usage check -> file names -> read_chromosome_map (input closed) -> write_solar_map
//
// The map is opened only after the chromosome file has been read whole, so a run that stops
// leaves an existing map untouched. Exit status 0 at a normal end and for the usage text; 1
// at a fatal stop; the read diagnostic ends by the abort signal.
#include <cstdio>
#include <string>

#include "common/files/same_file.hpp"
#include "common/outcome/finish.hpp"
#include "common/records/sstop.hpp"
#include "xp-loci/chromosome_map.hpp"
#include "xp-loci/command_line.hpp"
#include "xp-loci/locides.hpp"
#include "xp-loci/map_order.hpp"
#include "xp-loci/solar_map.hpp"

int main(int argc, char** argv) {
  const outcome::Program& program = outcome::programs::xp_loci;
  records::name_program(program.name);
  xploci::Options names;
  if (auto ended = xploci::parse(argc, argv, names)) return outcome::finish(program, ended);

  // The chromosome file is read whole before the map is opened, so writing over it works; but
  // it is most likely a slip.
  if (const std::string replaced = files::replaced_input_warning(
          "xp-loci", std::string(names.map.trimmed()), {std::string(names.chromosome.trimmed())});
      !replaced.empty())
    std::fprintf(stderr, "%s\n", replaced.c_str());

  xploci::Locides locides;
  if (auto stop = xploci::read_chromosome_map(names.chromosome, locides)) return outcome::finish(program, stop);
  for (const std::string& warning : xploci::decreasing_positions(locides)) outcome::warn(program, warning);
  xploci::write_solar_map(names.map, locides);
  return outcome::finish(program, std::nullopt);
}
