#include "report.hpp"

#include <cstdio>

#include "family_index.hpp"
#include "records.hpp"

namespace famlint {

namespace {

// Fixed-layout lines go straight to standard output, where the record layer also prints its
// messages; both go through C stdio, so their order is kept.
void print_line(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

std::string i3(std::int32_t value) { return fixed_int(value, 3); }

}  // namespace

std::string fixed_int(std::int32_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) > width) return std::string(width, '*');
  return std::string(width - digits.size(), ' ') + digits;
}

void print_usage() {
  records::message({"USAGE: famlint pedigree_file_name"});
  records::message({"       pedigree_file_name --- file of pedigree data"});
}

void print_race_notice(std::int32_t row) {
  records::message({" The parents are presented but race<>0, setting race=0 in data line", row});
}

void print_error(const Error& error, std::string_view file_name) {
  using Kind = Error::Kind;
  const std::string file(file_name);
  switch (error.kind) {
    case Kind::none:
      break;
    case Kind::sample_size:
      // Printed as it always has been, though the limit is 24096 records.
      print_line(" ERROR: max. sample size is N4096 ");
      break;
    case Kind::empty_pedigree: {
      // One text item, so that a long file name does not split the line.
      const std::string text = "ERROR in " + file + ": the header line gives " +
                               std::to_string(error.count) +
                               " individuals; a pedigree needs at least one";
      records::message({text});
      break;
    }
    case Kind::one_parent:
      records::message({" Error in data line", error.row});
      records::message({" Both parents should be observed or unobserved"});
      break;
    case Kind::founder_race:
      records::message({" The race is 0, but the parents are unobserved in data line", error.row});
      records::message({" ERROR, so stop."});
      break;
    case Kind::family_sequence:
      print_line(std::string(31, ' '));
      print_line(" ERROR of numeration, LINE" + fixed_int(error.row, 5));
      print_line(" Stop program; You must correct data");
      print_line(" " + std::string(37, '*') + "  ");
      break;
    case Kind::too_many_families: {
      const std::string text = "ERROR in " + file + ": more than " +
                               std::to_string(max_families) + " families; family " +
                               std::to_string(max_families + 1) + " begins in data line " +
                               std::to_string(error.row);
      records::message({text});
      break;
    }
    case Kind::family_number:
      print_line(" ERROR OF FAMILY NUMBER: is=" + i3(error.family) + " i=" + i3(error.row));
      break;
    case Kind::sex:
      print_line(" SEX ERROR: IS=" + i3(error.family) + " PERSON=" + i3(error.member));
      break;
    case Kind::numbering:
      print_line(" ERROR OF NUMERATION: IS=" + i3(error.family) + " nom=" + i3(error.member) +
                 "  " + i3(error.found));
      break;
    case Kind::parent_range:
      print_line(" ERROR OF PARENTS NUMERATION: IS=" + i3(error.family) + " i=" +
                 i3(error.member));
      break;
  }
}

}  // namespace famlint
