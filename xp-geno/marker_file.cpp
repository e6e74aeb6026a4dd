#include "xp-geno/marker_file.hpp"

#include <string>

#include "common/rawped/number.hpp"

namespace xpgeno {

using outcome::at_line;
using freeform::ItemStream;

namespace {

std::string ended(const ItemStream& in, std::string_view name, const std::string& before) {
  return std::string(name) + " ends after line " + std::to_string(in.lines_read()) + ", before " +
         before;
}

}  // namespace

outcome::Outcome read_marker_counts(ItemStream& in, std::string_view name, MarkerCounts& counts) {
  // The counts stand at the start of the line; 254 characters hold them with room to spare.
  char line[255];
  const auto status = in.first_line(line);
  if (status == ItemStream::Status::unreadable) return outcome::stop(std::string(name) + ": the file cannot be read");
  const char* p = line;
  if (status == ItemStream::Status::end_of_file || !rawped::scan_int(p, counts.individuals) ||
      !rawped::scan_int(p, counts.markers)) {
    return outcome::stop(at_line(name, 1) +
                         "the first line does not begin with the number of individuals and the number of markers");
  }
  if (counts.individuals < 0) {
    return outcome::stop(at_line(name, 1) + "the number of individuals is negative (" +
                         std::to_string(counts.individuals) + ")");
  }
  if (counts.markers < 0) {
    return outcome::stop(at_line(name, 1) + "the number of markers is negative (" + std::to_string(counts.markers) + ")");
  }
  return {};
}

outcome::Outcome read_marker_name(ItemStream& in, std::string_view name, std::int64_t j, std::int64_t count,
                         std::span<char> marker, std::size_t& length) {
  const std::string which = "marker name " + std::to_string(j);
  switch (in.next(marker, length)) {
    case ItemStream::Status::unreadable:
      return outcome::stop(std::string(name) + ": the file cannot be read");
    case ItemStream::Status::end_of_file:
      return outcome::stop(ended(in, name, which + " of " + std::to_string(count)));
    case ItemStream::Status::too_long:
      return outcome::stop(at_line(name, in.item_line()) + which + " is longer than " +
                           std::to_string(marker.size() - 1) + " characters");
    case ItemStream::Status::item:
      break;
  }
  const std::string_view text(marker.data(), length);
  if (text.find(',') != std::string_view::npos) {
    return outcome::stop(at_line(name, in.item_line()) + which + ", " + freeform::quoted(text) +
                         ", holds a comma, which would split its column");
  }
  return {};
}

outcome::Outcome read_allele_pair(ItemStream& in, std::string_view name, std::int64_t k,
                                  std::int64_t j, std::int32_t& first, std::int32_t& second,
                                  const LongName& long_name) {
  char item[64];
  std::size_t length = 0;
  for (int a = 1; a <= 2; ++a) {
    const auto status = in.next(item, length);
    std::int32_t& allele = a == 1 ? first : second;
    if (status == ItemStream::Status::item && freeform::whole_int({item, length}, allele)) continue;
    // Only a failing read pays for its words.
    const std::string which = std::string(a == 1 ? "the first" : "the second") +
                              " allele of individual " + std::to_string(k) + " at marker " +
                              std::to_string(j);
    if (status == ItemStream::Status::unreadable)
      return outcome::stop(std::string(name) + ": the file cannot be read");
    if (status == ItemStream::Status::end_of_file && long_name.j != 0) {
      return outcome::stop(
          at_line(name, long_name.line) + "marker name " + std::to_string(long_name.j) +
          " reads as " + freeform::quoted(long_name.text) +
          ": a marker name of 12 characters runs into the next one, and xp-geno takes names "
          "of at most " + std::to_string(genotype_name_chars) +
          " characters from a genotype file; the alleles then shift and the file seems to "
          "end early (after line " + std::to_string(in.lines_read()) + ", before " + which + ")");
    }
    if (status == ItemStream::Status::end_of_file) return outcome::stop(ended(in, name, which));
    return outcome::stop(at_line(name, in.item_line()) + which + " is not a whole number: " +
                         freeform::quoted({item, length}));
  }
  return {};
}

}  // namespace xpgeno
