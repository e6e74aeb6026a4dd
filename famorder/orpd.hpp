// orpd: groups, orders and numbers the record table.
#pragma once

#include <cstdint>
#include <string>

#include "common/outcome/outcome.hpp"
#include "famorder/table.hpp"
#include "famorder/values.hpp"

namespace famorder {

// The fields of a numbered pedigree record, in the order they are written.
enum class Column { ped, id, nfat, nmat, race, sex, oldid };

// Numbers the records of `table` (as read: input order, every ped 0): sets oldid to the raw id
// or to the name of an individual without one, gives every record its pedigree number, brings
// each pedigree's records together by the exchange passes (moving the lines along), and
// numbers individuals and parents within each pedigree. Sets `numped` to the pedigrees
// numbered (those given before a refusal included). Returns the first refusal: a record with
// exactly one parent, an id two records hold, more than max_pedigrees pedigrees, or a spare
// number past 32 bits left in a parent field (named by its line of `infile`); on a refusal the
// table is left partly changed.
outcome::Outcome orpd(PedTable& table, const std::string& infile, std::int32_t& numped);

// The same, with the values of the table as read numbered already (number_values), and at
// most `most` pedigrees (famorder's table unless the caller gives another limit).
outcome::Outcome orpd(PedTable& table, ValueNumbers values, const std::string& infile,
                      std::int32_t& numped, std::int32_t most = max_pedigrees);

}  // namespace famorder
