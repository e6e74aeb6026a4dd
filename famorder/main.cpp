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
#include "common/outcome/finish.hpp"
#include "common/rawped/reader.hpp"
#include "famorder/beyond_table.hpp"
#include "famorder/command_line.hpp"
#include "famorder/number_file.hpp"
#include "famorder/write_table.hpp"

namespace {

const outcome::Program& program = outcome::programs::famorder;

// Numbers `infile` into `table`. Every text of famorder keeps its own line ends.
outcome::Outcome number(const std::string& infile, famorder::PedTable& table) {
  std::FILE* in = rawped::open_input(infile);
  if (in == nullptr) return outcome::whole("cannot open input data file '" + infile + "'\n");
  const outcome::Outcome refused = famorder::number_file(in, infile, table, program.name);
  std::fclose(in);
  // A pedigree too large for the table: the user is told where it can run.
  if (refused)
    if (const std::string note = famorder::beyond_table_note(*refused, table); !note.empty())
      std::fprintf(stderr, "%s\n", note.c_str());
  return refused;
}

// Writes `table` to `outfile`, whole or not at all.
outcome::Outcome write(const std::string& outfile, const famorder::PedTable& table) {
  std::FILE* out = std::fopen(outfile.c_str(), "w");
  if (out == nullptr) return outcome::whole("cannot open output data file '" + outfile + "'\n");
  const bool written = famorder::owif(out, table);
  int error = written ? 0 : errno;
  if (std::fclose(out) != 0 && error == 0) error = errno;
  if (written && error == 0) return std::nullopt;
  // A numbered pedigree cut short would still read as one: its count line is not checked
  // against its records downstream.
  files::remove_output(outfile);
  return outcome::whole(files::cannot_write(program.name, outfile, error) + "\n");
}

}  // namespace

int main(int argc, char** argv) {
  famorder::Options options;
  if (auto ended = famorder::parse(argc, argv, options)) return outcome::finish(program, ended);
  // The input is read whole before the output is opened, so writing over it works; but it is
  // most likely a slip.
  if (const std::string replaced = files::replaced_input_warning("famorder", options.outfile, {options.infile});
      !replaced.empty())
    std::fprintf(stderr, "%s\n", replaced.c_str());

  famorder::PedTable table;
  if (auto refused = number(options.infile, table)) return outcome::finish(program, refused);
  return outcome::finish(program, write(options.outfile, table));
}
