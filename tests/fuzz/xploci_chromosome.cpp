// xp-loci's own reading of the chromosome file (names and positions under the file's layouts),
// then the SOLAR map written from what was read.
#include <cstdint>
#include <string>

#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"
#include "xp-loci/chromosome_map.hpp"
#include "xp-loci/locides.hpp"
#include "xp-loci/solar_map.hpp"

namespace {

xploci::Locides locides;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string chromosome_name = fuzz::write_scratch("chr.wrk", fuzz::as_text(data, size));
  static const std::string map_name = fuzz::scratch_path("map.wrk.sol");
  locides = {};
  try {
    if (xploci::read_chromosome_map(records::Text<255>(chromosome_name), locides)) return 0;
    xploci::write_solar_map(records::Text<255>(map_name), locides);
  } catch (const fuzz::Refusal& refusal) {
    fuzz::expect(refusal.kind == fuzz::Refusal::Kind::diagnostic, "a stop outside the driver");
    fuzz::after_refusal();
  }
  return 0;
}
