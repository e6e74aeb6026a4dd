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
#include "common/outcome/finish.hpp"
#include "map2chrom/command_line.hpp"
#include "map2chrom/import.hpp"

namespace {

using namespace map2chrom;

outcome::Outcome run(const Options& options) {
  if (files::same_file(options.table.c_str(), options.chromosome.c_str()) ||
      (!options.table2.empty() && files::same_file(options.table2.c_str(), options.chromosome.c_str())))
    return outcome::stop("the chromosome file " + options.chromosome + " would replace a marker table");
  std::string text, text2;
  const bool readable = files::read_file(options.table, text);
  const bool readable2 = options.table2.empty() || files::read_file(options.table2, text2);
  const TableText table{text, options.table, readable}, table2{text2, options.table2, readable2};
  std::string chromosome;
  std::vector<std::string> warnings;
  // The importer's refusals name map2chrom already.
  if (auto refused = import_table(table, options.table2.empty() ? nullptr : &table2, chromosome, warnings))
    return outcome::whole(std::move(refused));
  for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());
  int error = 0;
  if (!files::write_file(options.chromosome, chromosome, &error))
    return outcome::stop(files::cannot_write("", options.chromosome, error));
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  return outcome::finish<Options>(outcome::programs::map2chrom, argc, argv, parse, run);
}
