#include "genodrop/chromosome.hpp"

#include <string>

#include "common/records/layout_check.hpp"
#include "common/records/records.hpp"
#include "common/records/sstop.hpp"
#include "genodrop/stop_details.hpp"
#include "genodrop/units.hpp"

namespace genodrop {

namespace {

using Line = records::Text<255>;

Line read_line(records::File& file) {
  Line line;
  records::Reader read(file, "(a255)");
  read(line);
  read.end();
  return line;
}

// A fixed prefix and a locus name, padded to the 255 characters the stop prints whole.
outcome::Stop locus_stop(std::string_view prefix, const Name& name) {
  return outcome::Stop{std::string(records::compose(prefix, name.view()).view())};
}

// Turns the frequencies of alleles 1..m-1 in `cumulative` into running sums in place, and
// sets entry m-1 to 1. Only the sums before the last are tested for a negative value, so a
// negative frequency after larger ones is accepted; the total may not exceed 1.
bool accumulate(std::span<float> cumulative) {
  const std::size_t m = cumulative.size();
  if (m > 1) {
    // The running sum stays in a register: the same single-precision additions in the same
    // order, without waiting on each sum to be stored and read back.
    float sum = cumulative[0];
    for (std::size_t a = 1; a + 1 < m; ++a) {
      if (sum < 0.0f) return false;
      sum += cumulative[a];
      cumulative[a] = sum;
    }
    if (cumulative[m - 2] > 1.0f) return false;
  }
  cumulative[m - 1] = 1.0f;
  return true;
}

bool never_decreases(std::span<const float> cumulative) {
  for (std::size_t a = 1; a < cumulative.size(); ++a)
    if (!(cumulative[a - 1] <= cumulative[a])) return false;
  return true;
}

outcome::Outcome read_loci(records::File& file, std::string_view name, Locides& locides, const Limits& limits) {
  for (int k = 0; k < 8; ++k) read_line(file);
  const Line count_layout = read_line(file);
  const Line first_layout = read_line(file);
  const Line second_layout = read_line(file);
  read_line(file);

  std::int32_t count = 0;
  records::warn_unparsed_layout("genodrop", name, 9, count_layout.view());
  {
    records::Reader read(file, count_layout.view());
    read(count);
    read.end();
  }
  if (count > limits.loci) return outcome::Stop{"too many loci to model."};
  size_loci(locides, count);

  for (std::int32_t j = 0; j < locides.count; ++j) {
    auto& frequencies = locides.cumulative[j];
    std::int32_t m = 0;
    if (j == 0) records::warn_unparsed_layout("genodrop", name, 10, first_layout.view());
    {
      records::Reader read(file, first_layout.view());
      read(locides.names[j])(m)(locides.positions[j]);
      // The count decides how many frequencies the record holds, so it is tested before
      // they are read: a huge count would otherwise read on and on.
      if (m > max_alleles || m < 1) {
        // Ended before the stop is made, not by the destructor on the way out: ending it can
        // still end the run (a slash in the layout past the end of the file), and that must
        // not happen while a result is being returned.
        read.end();
        if (m > max_alleles) return locus_stop("too many alleles in locus ", locides.names[j]);
        return outcome::Stop{std::string(name) + ": locus " + std::to_string(j + 1) + " (" +
                             std::string(locides.names[j].trimmed()) + ") has " + std::to_string(m) +
                             " alleles; a locus needs at least one"};
      }
      // Room for the cumulative frequencies of all m alleles, the m-th set below.
      for (auto& list : frequencies) list.resize(static_cast<std::size_t>(m));
      read(std::span(frequencies[0]).first(static_cast<std::size_t>(m - 1)));
      read.end();
    }
    if (j == 0) records::warn_unparsed_layout("genodrop", name, 11, second_layout.view());
    {
      records::Reader read(file, second_layout.view());
      read(std::span(frequencies[1]).first(static_cast<std::size_t>(m - 1)));
      read.end();
    }
    locides.alleles[j] = m;
    for (int q = 0; q < populations; ++q) {
      const std::span<float> cumulative(frequencies[q].data(), static_cast<std::size_t>(m));
      if (!accumulate(cumulative)) {
        explain_frequencies(locides.names[j], q + 1, cumulative);
        return locus_stop("incorrect frequencies in marker ", locides.names[j]);
      }
      locides.ascending[j][q] = never_decreases(cumulative);
    }
  }
  return std::nullopt;
}

}  // namespace

outcome::Outcome read_chromosome(std::string_view name, Locides& locides, const Limits& limits) {
  return read_input(chromosome_unit, name,
                    [&](records::File& file) { return read_loci(file, name, locides, limits); });
}

}  // namespace genodrop
