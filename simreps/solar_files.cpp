#include "simreps/solar_files.hpp"

#include "simreps/durable.hpp"
#include "simreps/solar_text.hpp"

namespace simreps {

outcome::Outcome write_solar_files(const Inputs& inputs, const Replicate& replicate, const std::string& folder,
                                   FileSums& sums) {
  StreamedFile markers;
  if (auto failed = markers.open(folder + "/mark.sol")) return failed;
  render_markers(inputs, replicate, [&markers](std::string_view piece) { markers.write(piece); });
  if (auto failed = markers.finish()) return failed;
  sums.emplace_back("mark.sol", markers.sum());
  std::string text;
  render_phenotypes(inputs, replicate, text);
  if (auto failed = write_and_start_flush(folder + "/phen.sol", text)) return failed;
  sums.emplace_back("phen.sol", checksum_of_text(text));
  return std::nullopt;
}

}  // namespace simreps
