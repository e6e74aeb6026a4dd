// famorder: numbers a raw pedigree into the numbered pedigree.
//
//   read_table (descriptive line, count, records) -> orpd (group, order, number)
//   -> width check -> no identifier twice -> owif
//
// Everything is read and numbered before the output is opened, so a refused input leaves an
// existing output file as it was, and an output that cannot be written whole is removed.
// Exit status 0 when the file is written, 1 otherwise.
#include <cerrno>
#include <cstdio>
#include <string>

#include "common/files/same_file.hpp"
#include "common/files/whole_file.hpp"
#include "common/files/write_failure.hpp"
#include "common/outcome/outcome.hpp"
#include "common/rawped/reader.hpp"
#include "famorder/beyond_table.hpp"
#include "famorder/messages.hpp"
#include "famorder/number_file.hpp"
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
  const outcome::Outcome refused = number_file(in, infile, table, "famorder");
  std::fclose(in);
  if (refused) {
    if (const std::string note = beyond_table_note(*refused, table); !note.empty())
      std::fprintf(stderr, "%s\n", note.c_str());
    return refuse(refused->text);
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
