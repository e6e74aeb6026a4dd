#include "famorder/number_file.hpp"

#include <cstdint>
#include <utility>

#include "famorder/input_warnings.hpp"
#include "famorder/messages.hpp"
#include "famorder/orpd.hpp"
#include "famorder/read_table.hpp"
#include "famorder/same_identifier.hpp"
#include "famorder/values.hpp"
#include "famorder/write_table.hpp"

namespace famorder {

outcome::Outcome number_file(std::FILE* in, const std::string& infile, PedTable& table,
                             std::string_view program, std::int32_t most_pedigrees) {
  if (outcome::Outcome unread = read_table(in, infile, table)) return unread;
  warn_leading_zeros(table, infile, program);
  ValueNumbers values = number_values(table.oldped);
  warn_unknown_parents(table, values, infile, program);

  std::int32_t numped = 0;
  if (outcome::Outcome refused = orpd(table, std::move(values), infile, numped, most_pedigrees)) return refused;
  if (const auto wide = find_too_wide(table)) return outcome::stop(too_wide_message(*wide, table, infile));
  if (const auto same = find_same_identifier(table))
    return outcome::stop(same_identifier_message(*same, infile));
  return std::nullopt;
}

}  // namespace famorder
