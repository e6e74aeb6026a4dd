#include "genodrop/pedigree.hpp"

#include <string>

#include "common/numbered_pedigree/read_numbered_record.hpp"
#include "common/records/records.hpp"
#include "genodrop/stop_details.hpp"
#include "genodrop/units.hpp"

namespace genodrop {

namespace {

// The header is line 1, so record row r (0-based) stands on line r + 2.
std::string at_line(std::string_view name, std::int32_t row) {
  return outcome::at_line(name, row + 2);
}

outcome::Outcome read_records(records::File& file, std::string_view name, Pedigree& pedigree, const Limits& limits) {
  std::int32_t count = 0;
  {
    records::Reader read(file, "(i5)");
    read(count);
    read.end();
  }
  if (count > limits.individuals) return outcome::Stop{"too many individuals"};
  if (count < 0)
    return outcome::Stop{std::string(name) + ", line 1: the number of individuals is " +
                         std::to_string(count) + "; it cannot be negative"};
  size_pedigree(pedigree, count);
  for (std::int32_t i = 0; i < count; ++i) {
    numbered_pedigree::read_record(file, "(6i5,a12)", pedigree.records[i],
                                   pedigree.names[i].chars);
  }
  return std::nullopt;
}

// Only a change of the family number between neighbours starts a block, so a family split
// into two runs of records counts twice.
outcome::Outcome find_blocks(Pedigree& pedigree, const Limits& limits) {
  std::int32_t blocks = 1;
  pedigree.block_ends.assign(1, 0);
  for (std::int32_t i = 1; i < pedigree.count; ++i) {
    if (pedigree.records[i].family == pedigree.records[i - 1].family) continue;
    if (blocks == limits.blocks) return outcome::Stop{"too many pedigrees"};
    pedigree.block_ends.push_back(i);
    ++blocks;
  }
  pedigree.block_ends.push_back(pedigree.count);
  pedigree.blocks = blocks;
  return std::nullopt;
}

// The race of a founder picks its frequency table, and a parent number picks a row of the
// block: both are checked here, once, so the model steps can trust them.
outcome::Outcome check_founders(const Pedigree& pedigree) {
  for (std::int32_t i = 0; i < pedigree.count; ++i) {
    const PedRecord& r = pedigree.records[i];
    if (r.father == 0 && (r.race < 1 || r.race > populations)) return outcome::Stop{"illegal population"};
  }
  return std::nullopt;
}

outcome::Outcome check_parents(std::string_view name, const Pedigree& pedigree) {
  for (std::int32_t b = 1; b <= pedigree.blocks; ++b) {
    const std::int32_t size = pedigree.block_ends[b] - pedigree.block_ends[b - 1];
    for (std::int32_t i = pedigree.block_ends[b - 1]; i < pedigree.block_ends[b]; ++i) {
      const PedRecord& r = pedigree.records[i];
      if (r.father == 0) continue;
      for (auto [role, number] : {std::pair{"father", r.father}, std::pair{"mother", r.mother}}) {
        if (number >= 1 && number <= size) continue;
        return outcome::Stop{at_line(name, i) + "individual " + std::to_string(r.individual) +
                    raw_id(pedigree, i) + " of family " + std::to_string(r.family) + " has " + role + " " +
                    std::to_string(number) + ", but its family's records are numbered 1 to " +
                    std::to_string(size)};
      }
    }
  }
  return std::nullopt;
}

}  // namespace

outcome::Outcome read_pedigree(std::string_view name, Pedigree& pedigree, const Limits& limits) {
  outcome::Outcome result = read_input(
      pedigree_unit, name, [&](records::File& file) { return read_records(file, name, pedigree, limits); });
  if (result) return result;
  if ((result = find_blocks(pedigree, limits))) return result;
  if ((result = check_founders(pedigree))) return result;
  if ((result = check_parents(name, pedigree))) return result;
  return std::nullopt;
}

}  // namespace genodrop
