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
#include "common/outcome/finish.hpp"
#include "map2chrom/chromosome_file.hpp"
#include "map2chrom/command_line.hpp"
#include "map2chrom/marker_checks.hpp"
#include "map2chrom/marker_table.hpp"

namespace {

using namespace map2chrom;

// Reads the marker table `name` into `table`. The reader's refusals name map2chrom already.
outcome::Outcome read_table(const std::string& name, MarkerTable& table) {
  std::string text;
  if (!files::read_file(name, text)) return outcome::stop("cannot read " + name);
  return outcome::whole(read_marker_table(files::without_byte_order_mark(text), name, table));
}

outcome::Outcome run(const Options& options) {
  if (files::same_file(options.table.c_str(), options.chromosome.c_str()) ||
      (!options.table2.empty() && files::same_file(options.table2.c_str(), options.chromosome.c_str())))
    return outcome::stop("the chromosome file " + options.chromosome + " would replace a marker table");
  MarkerTable table, table2;
  if (auto refused = read_table(options.table, table)) return refused;
  if (!options.table2.empty())
    if (auto refused = read_table(options.table2, table2)) return refused;
  if (auto refused = check_markers(table.markers, options.table,
                                   options.table2.empty() ? nullptr : &table2.markers, options.table2))
    return outcome::whole(std::move(refused));
  for (const std::string& warning : trait_case_warnings(table.markers, options.table))
    std::fprintf(stderr, "%s\n", warning.c_str());
  int error = 0;
  if (!files::write_file(options.chromosome, chromosome_text(table.markers), &error))
    return outcome::stop(files::cannot_write("", options.chromosome, error));
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  return outcome::finish<Options>(outcome::programs::map2chrom, argc, argv, parse, run);
}
