// fam2raw [--add-missing-parents] [-p population | -c column] FAM RAW
//
// Turns a pedigree table as other genetics tools keep it (PLINK .fam, LINKAGE pre-makeped:
// family, id, father, mother, sex, ...) into the suite's raw pedigree for famorder and xp-fam,
// and writes RAW.ids beside it so that results named by the suite's integer ids can be mapped
// back:
//
//   read FAM -> check rows -> (add missing parents) -> number them 1..N and link parents
//   -> write RAW, RAW.ids
//
// The whole table is read and checked before either output is opened, so a refused table
// leaves existing files untouched. Every problem of the table is gathered and shown at once.
// Exit status 0 when both files are written, 1 otherwise, with a message on standard output.
#include <cstdio>
#include <string>

#include "common/files/same_file.hpp"
#include "common/files/whole_file.hpp"
#include "common/files/write_failure.hpp"
#include "common/outcome/outcome.hpp"
#include "fam2raw/beyond_table.hpp"
#include "fam2raw/command_line.hpp"
#include "fam2raw/import.hpp"
#include "fam2raw/output_files.hpp"
#include "fam2raw/raw_pedigree.hpp"

int main(int argc, char** argv) {
  using namespace fam2raw;
  using outcome::refuse_line;
  Options options;
  if (!parse_command_line(argc, argv, options)) return outcome::refuse(usage());
  const std::string ids = options.raw + ".ids";
  // Replacing the table by its own conversion would lose the original ids for good.
  if (files::same_file(options.fam.c_str(), options.raw.c_str()) ||
      files::same_file(options.fam.c_str(), ids.c_str()))
    return refuse_line("fam2raw: an output file would replace the pedigree table " + options.fam);

  std::string text;
  if (!files::read_file(options.fam, text))
    return refuse_line("fam2raw: cannot read " + options.fam);

  FamTable table;
  RawPedigree pedigree;
  std::size_t added = 0;
  if (const outcome::Outcome refused = import_table(text, options.fam, options, table, pedigree, added))
    return refuse_line(refused->text);
  if (added > 0)
    std::fprintf(stderr,
                 "fam2raw: %s: added %zu parent(s) that the table names but does not list, as"
                 " founders of their children's families\n",
                 options.fam.c_str(), added);
  if (const std::string note = beyond_table_note(pedigree.records); !note.empty())
    std::fprintf(stderr, "%s\n", note.c_str());

  int error = 0;
  if (!files::write_file(options.raw, raw_pedigree_text(pedigree.records), &error))
    return refuse_line(files::cannot_write("fam2raw", options.raw, error));
  if (!files::write_file(ids, id_map_text(table.rows, pedigree.records), &error)) {
    // A raw pedigree without its id map cannot be traced back to the table.
    files::remove_output(options.raw);
    return refuse_line(files::cannot_write("fam2raw", ids, error));
  }
  return 0;
}
