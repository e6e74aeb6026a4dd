// Ordering: bringing each pedigree's records together by exchanges.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "common/rawped/record.hpp"

namespace famorder {

// The order of the table after one exchange pass per pedigree, p = 1 to `numped`: each pass
// scans the table and exchanges every record of pedigree p with the record at the next free
// place of p. The exchanges carry records of later pedigrees along, so a later pedigree's
// records need not stay in input order; this order is the one such a scan gives. Each pass
// here touches only pedigree p's records and the records they are exchanged with.
// Takes `records` with every ped from 1 to `numped`; returns, for each place of the ordered
// table, the position in `records` of the record that ends there.
std::vector<std::uint32_t> exchange_order(std::span<const rawped::PedRecord> records,
                                          std::int32_t numped);

}  // namespace famorder
