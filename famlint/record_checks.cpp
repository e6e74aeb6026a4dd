#include "famlint/record_checks.hpp"

#include "famlint/messages.hpp"

namespace famlint {

outcome::Outcome check_count(std::int32_t ndat, std::string_view file_name, std::int32_t most) {
  if (ndat > most) return outcome::stop(sample_size_message());
  // With no record there is nothing to check, yet the family index would still open family 1
  // at row 1; a gate must not pass a pedigree without individuals.
  if (ndat <= 0) return outcome::stop(empty_pedigree_message(file_name, ndat));
  return std::nullopt;
}

outcome::Outcome check_record(const Data& data, std::int32_t row, RaceNoticeFn on_notice) {
  const bool father_given = data.father[row] != 0;
  const bool mother_given = data.mother[row] != 0;
  if (father_given != mother_given) return outcome::stop(one_parent_message(row));
  const int race = data.race[row];
  if (!father_given) {
    if (race == 0) return outcome::stop(founder_race_message(row));
    return std::nullopt;
  }
  // 100 has long marked a non-founder alongside 0, so it passes without notice.
  if (race != 0 && race != 100) on_notice(row);
  return std::nullopt;
}

outcome::Outcome check_sequence(const Data& data, std::int32_t ndat) {
  std::int32_t current = 1;
  for (std::int32_t row = 2; row <= ndat; ++row) {
    const std::int32_t family = data.family[row];
    if (family == current) continue;
    if (family == current + 1) {
      current = family;
      continue;
    }
    return outcome::stop(family_sequence_message(row));
  }
  return std::nullopt;
}

}  // namespace famlint
