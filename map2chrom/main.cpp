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

#include "common/files/same_file.hpp"
#include "common/files/text_lines.hpp"
#include "common/files/whole_file.hpp"
#include "common/files/write_failure.hpp"
#include "common/outcome/outcome.hpp"
#include "map2chrom/chromosome_file.hpp"
#include "map2chrom/command_line.hpp"
#include "map2chrom/marker_checks.hpp"
#include "map2chrom/marker_table.hpp"

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

  std::string text;
  if (!files::read_file(options.table, text))
    return refuse_line("map2chrom: cannot read " + options.table);
  MarkerTable table;
  if (const outcome::Outcome refused =
          read_marker_table(files::without_byte_order_mark(text), options.table, table))
    return refuse_line(refused->text);
  MarkerTable table2;
  if (!options.table2.empty()) {
    if (!files::read_file(options.table2, text))
      return refuse_line("map2chrom: cannot read " + options.table2);
    if (const outcome::Outcome refused =
            read_marker_table(files::without_byte_order_mark(text), options.table2, table2))
      return refuse_line(refused->text);
  }
  if (const outcome::Outcome refused =
          check_markers(table.markers, options.table,
                        options.table2.empty() ? nullptr : &table2.markers, options.table2))
    return refuse_line(refused->text);
  for (const std::string& warning : trait_case_warnings(table.markers, options.table))
    std::fprintf(stderr, "%s\n", warning.c_str());

  int error = 0;
  if (!files::write_file(options.chromosome, chromosome_text(table.markers), &error))
    return refuse_line(files::cannot_write("map2chrom", options.chromosome, error));
  return 0;
}
