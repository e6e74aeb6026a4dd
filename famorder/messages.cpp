#include "famorder/messages.hpp"

namespace famorder {

namespace {

const char* column_name(Column column) {
  switch (column) {
    case Column::ped: return "the pedigree number";
    case Column::id: return "the individual number";
    case Column::nfat: return "the father's number";
    case Column::nmat: return "the mother's number";
    case Column::race: return "the race";
    case Column::sex: return "the sex code";
    case Column::oldid: return "the identifier";
  }
  return "";
}

}  // namespace

std::string no_records_message(const std::string& infile, long line) {
  return infile + " line " + std::to_string(line) + ": no records to number\n";
}

std::string too_many_records_message(const std::string& infile, long line, std::int32_t numax) {
  return infile + " line " + std::to_string(line) + ": " + std::to_string(numax) +
         " records; famorder numbers at most " + std::to_string(max_records) + "\n";
}

std::string one_parent_message(std::int32_t position) {
  return "nfat==0 && nmat!=0 or rec in line " + std::to_string(position);
}

std::string same_id_message(std::int32_t id) {
  return "The individual " + std::to_string(id) + " is double offspring.Correct your data\n";
}

std::string too_many_pedigrees_message() { return "too much pedigrees..."; }

std::string unfit_message(std::size_t row, Column column, std::int64_t value,
                          const PedTable& table, const std::string& infile) {
  const int width = column == Column::oldid ? 12 : 5;
  const std::int32_t line = table.line_of(row);
  return infile + " line " + std::to_string(line) + ": " + column_name(column) + " " +
         std::to_string(value) + " does not fit the " + std::to_string(width) +
         " columns of the numbered pedigree\n";
}

std::string too_wide_message(const TooWide& wide, const PedTable& table,
                             const std::string& infile) {
  return unfit_message(wide.row, wide.column, wide.value, table, infile);
}

}  // namespace famorder
