#include "record_checks.hpp"

namespace famlint {

bool check_count(std::int32_t ndat, Error& error) {
  if (ndat > max_records) {
    error = {.kind = Error::Kind::sample_size, .count = ndat};
    return false;
  }
  // With no record there is nothing to check, yet the family index would still open family 1
  // at row 1; a gate must not pass a pedigree without individuals.
  if (ndat <= 0) {
    error = {.kind = Error::Kind::empty_pedigree, .count = ndat};
    return false;
  }
  return true;
}

RecordVerdict check_record(const Data& data, std::int32_t row, Error& error) {
  const bool father_given = data.father[row] != 0;
  const bool mother_given = data.mother[row] != 0;
  if (father_given != mother_given) {
    error = {.kind = Error::Kind::one_parent, .row = row};
    return RecordVerdict::error;
  }
  const int race = data.race[row];
  if (!father_given) {
    if (race == 0) {
      error = {.kind = Error::Kind::founder_race, .row = row};
      return RecordVerdict::error;
    }
    return RecordVerdict::pass;
  }
  // 100 has long marked a non-founder alongside 0, so it passes without notice.
  return race == 0 || race == 100 ? RecordVerdict::pass : RecordVerdict::race_notice;
}

bool check_sequence(const Data& data, std::int32_t ndat, Error& error) {
  std::int32_t current = 1;
  for (std::int32_t row = 2; row <= ndat; ++row) {
    const std::int32_t family = data.family[row];
    if (family == current) continue;
    if (family == current + 1) {
      current = family;
      continue;
    }
    error = {.kind = Error::Kind::family_sequence, .row = row};
    return false;
  }
  return true;
}

}  // namespace famlint
