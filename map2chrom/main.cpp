// map2chrom [-2 TABLE2] TABLE CHROMOSOME
//
// Turns a marker table as geneticists keep one (name, position in cM, allele frequencies)
// into the suite's chromosome file, with the standard layouts that genodrop and xp-loci read:
//
//   read TABLE (and TABLE2) -> check what the file and its readers cannot hold -> write
//
// Everything is read and checked before the output is opened, so a refused table leaves an
// existing chromosome file untouched. Exit status 0 when the file is written, 1 otherwise,
// with a message on standard output.
#include <cstdio>
#include <string>
#include <vector>

#include "common/files/same_file.hpp"
#include "common/files/whole_file.hpp"
#include "common/files/write_failure.hpp"
#include "common/outcome/outcome.hpp"

#include "map2chrom/command_line.hpp"
#include "map2chrom/import.hpp"

int main(int argc, char** argv) {
  using namespace map2chrom;
  using outcome::refuse_line;
  Options options;
  if (!parse_command_line(argc, argv, options)) return outcome::refuse(usage());
  if (files::same_file(options.table.c_str(), options.chromosome.c_str()) ||
      (!options.table2.empty() &&
       files::same_file(options.table2.c_str(), options.chromosome.c_str())))
    return refuse_line("map2chrom: the chromosome file " + options.chromosome +
                       " would replace a marker table");

  std::string text, text2;
  const bool readable = files::read_file(options.table, text);
  const bool readable2 = options.table2.empty() || files::read_file(options.table2, text2);
  const TableText table{text, options.table, readable}, table2{text2, options.table2, readable2};
  std::string chromosome;
  std::vector<std::string> warnings;
  if (const outcome::Outcome refused =
          import_table(table, options.table2.empty() ? nullptr : &table2, chromosome, warnings))
    return refuse_line(refused->text);
  for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());

  int error = 0;
  if (!files::write_file(options.chromosome, chromosome, &error))
    return refuse_line(files::cannot_write("map2chrom", options.chromosome, error));
  return 0;
}
