// famorder: numbers a raw pedigree into the numbered pedigree.
//
//   read_table (descriptive line, count, records) -> orpd (group, order, number)
//   -> width check -> no identifier twice -> owif
//
// Everything is read and numbered before the output is opened, so a refused input leaves an
// existing output file as it was, and an output that cannot be written whole is removed.
// Exit status 0 when the file is written, 1 otherwise.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "common/files/same_file.hpp"
#include "common/files/whole_file.hpp"
#include "common/files/write_failure.hpp"
#include "common/outcome/outcome.hpp"
#include "common/rawped/reader.hpp"
#include "famorder/input_warnings.hpp"
#include "famorder/messages.hpp"
#include "famorder/orpd.hpp"
#include "famorder/read_table.hpp"
#include "famorder/same_identifier.hpp"
#include "famorder/values.hpp"
#include "famorder/write_table.hpp"

int main(int argc, char** argv) {
  using namespace famorder;
  using outcome::refuse;
  if (argc != 3) return refuse(usage());
  const std::string infile = argv[1];
  const std::string outfile = argv[2];
  // The input is read whole before the output is opened, so writing over it works; but it is
  // most likely a slip.
  if (const std::string replaced = files::replaced_input_warning("famorder", outfile, {infile});
      !replaced.empty())
    std::fprintf(stderr, "%s\n", replaced.c_str());

  std::FILE* in = rawped::open_input(infile);
  if (in == nullptr) return refuse("cannot open input data file '" + infile + "'\n");
  PedTable table;
  const outcome::Outcome unread = read_table(in, infile, table);
  std::fclose(in);
  if (unread) return refuse(unread->text);
  warn_leading_zeros(table, infile);
  ValueNumbers values = number_values(table.oldped);
  warn_unknown_parents(table, values, infile);

  std::int32_t numped = 0;
  if (const outcome::Outcome refused = orpd(table, std::move(values), infile, numped)) {
    return refuse(refused->text);
  }
  if (const auto wide = find_too_wide(table)) {
    return refuse(too_wide_message(*wide, table, infile));
  }
  if (const auto same = find_same_identifier(table)) {
    return refuse(same_identifier_message(*same, infile));
  }

  std::FILE* out = std::fopen(outfile.c_str(), "w");
  if (out == nullptr) return refuse("cannot open output data file '" + outfile + "'\n");
  const bool written = owif(out, table);
  int error = written ? 0 : errno;
  if (std::fclose(out) != 0 && error == 0) error = errno;
  if (!written || error != 0) {
    // A numbered pedigree cut short would still read as one: its count line is not checked
    // against its records downstream.
    files::remove_output(outfile);
    return refuse(files::cannot_write("famorder", outfile, error) + "\n");
  }
  return 0;
}
