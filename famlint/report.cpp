#include "famlint/report.hpp"

#include "common/records/records.hpp"

namespace famlint {

void print_race_notice(std::int32_t row) {
  records::message({" The parents are presented but race<>0, setting race=0 in data line", row});
}

}  // namespace famlint
