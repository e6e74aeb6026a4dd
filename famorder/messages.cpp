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

std::string unfit_text(std::size_t row, Column column, std::int64_t value, const PedTable& table,
                       const std::string& infile) {
  const int width = column == Column::oldid ? 12 : 5;
  const std::int32_t line = row < table.line.size() ? table.line[row] : 0;
  return infile + " line " + std::to_string(line) + ": " + column_name(column) + " " +
         std::to_string(value) + " does not fit the " + std::to_string(width) +
         " columns of the numbered pedigree\n";
}

}  // namespace

const char* usage() {
  return "USAGE: famorder infile outfile\n"
         "       infile  --- input pedigree file\n"
         "       outfile --- output pedigree file\n";
}

std::string read_message(const ReadOutcome& outcome, const std::string& infile) {
  const std::string where = infile + " line " + std::to_string(outcome.line) + ": ";
  switch (outcome.kind) {
    case ReadOutcome::Kind::ok: return "";
    case ReadOutcome::Kind::read_failed:
      return rawped::failure_text(outcome.status, infile, outcome.line);
    case ReadOutcome::Kind::no_memory: return rawped::no_memory_message(outcome.numax);
    case ReadOutcome::Kind::no_records: return where + "no records to number\n";
    case ReadOutcome::Kind::too_many:
      return where + std::to_string(outcome.numax) + " records; famorder numbers at most " +
             std::to_string(max_records) + "\n";
  }
  return "";
}

std::string orpd_message(const OrpdOutcome& outcome, const PedTable& table,
                         const std::string& infile) {
  switch (outcome.kind) {
    case OrpdOutcome::Kind::ok: return "";
    case OrpdOutcome::Kind::one_parent:
      return "nfat==0 && nmat!=0 or rec in line " + std::to_string(outcome.position);
    case OrpdOutcome::Kind::same_id:
      return "The individual " + std::to_string(outcome.id) +
             " is double offspring.Correct your data\n";
    case OrpdOutcome::Kind::too_many_pedigrees: return "too much pedigrees...";
    case OrpdOutcome::Kind::unfit:
      return unfit_text(outcome.row, outcome.column, outcome.value, table, infile);
  }
  return "";
}

std::string too_wide_message(const TooWide& wide, const PedTable& table,
                             const std::string& infile) {
  return unfit_text(wide.row, wide.column, wide.value, table, infile);
}

}  // namespace famorder
