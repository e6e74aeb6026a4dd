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
#include "common/records/file_name.hpp"
#include "common/records/records.hpp"
#include "common/records/sstop.hpp"
#include "xp-loci/chromosome_map.hpp"
#include "xp-loci/locides.hpp"
#include "xp-loci/map_order.hpp"
#include "xp-loci/solar_map.hpp"
#include "xp-loci/usage.hpp"

namespace {

records::FileName file_name(const char* argument, int position) {
  records::FileName name;
  if (const outcome::Outcome refused = records::take_file_name(argument, position, name))
    records::sstop(refused->text);
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  records::name_program("xp-loci");
  if (argc < 2) {
    xploci::print_usage();
    return 0;
  }
  const records::Text<255> chromosome_name = file_name(argv[1], 1);
  const records::Text<255> map_name = argc > 2 ? file_name(argv[2], 2) : records::Text<255>("map.wrk.sol");

  // The chromosome file is read whole before the map is opened, so writing over it works; but
  // it is most likely a slip.
  if (const std::string replaced = files::replaced_input_warning(
          "xp-loci", std::string(map_name.trimmed()), {std::string(chromosome_name.trimmed())});
      !replaced.empty())
    std::fprintf(stderr, "%s\n", replaced.c_str());

  xploci::Locides locides;
  if (const outcome::Outcome read = xploci::read_chromosome_map(chromosome_name, locides)) {
    records::sstop(read->text);
  }
  xploci::warn_decreasing_positions(locides);
  xploci::write_solar_map(map_name, locides);
  return 0;
}
