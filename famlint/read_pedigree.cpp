#include "famlint/read_pedigree.hpp"

#include "common/numbered_pedigree/read_numbered_record.hpp"
#include "common/records/records.hpp"
#include "famlint/record_checks.hpp"

namespace famlint {

namespace {

// Unit number the record layer's diagnostic shows for the pedigree file.
constexpr int pedigree_unit = 10;

}  // namespace

outcome::Outcome read_pedigree(std::string_view file_name, Data& data, std::int32_t& ndat,
                               RaceNoticeFn on_notice, const Limits& limits) {
  records::File& file = records::open(pedigree_unit, file_name, records::Mode::read);

  // The header's second value (the constant 2 that famorder writes) is read, as the layout
  // asks, and has no use.
  std::int32_t second = 0;
  {
    records::Reader header(file, "(3I5)");
    header(ndat)(second);
    header.end();
  }
  if (outcome::Outcome refused = check_count(ndat, file_name, limits.records)) {
    records::close(file);
    return refused;
  }
  if (static_cast<std::size_t>(ndat) >= data.family.size()) data = Data(ndat);
  data.narrow = limits.narrow;

  for (std::int32_t row = 1; row <= ndat; ++row) {
    RecordFields fields;
    std::array<char, name_length> name;
    numbered_pedigree::read_record(file, "(6I5,A12)", fields, name);
    store_record(data, row, fields, name);
    if (outcome::Outcome refused = check_record(data, row, on_notice)) {
      records::close(file);
      return refused;
    }
  }
  records::close(file);
  return std::nullopt;
}

}  // namespace famlint
