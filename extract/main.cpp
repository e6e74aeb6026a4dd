// extract genotypes qtlfile markerfile
//
// Cuts a genotype file of genodrop in two files of the same layout: the trait loci (names
// containing "qtl") for traitsim, all other loci for xp-geno. Loci and individuals keep their
// order. The whole input is read and checked before either output is opened, so a refused
// input leaves existing output files untouched; when an output cannot be written, both are
// removed. Exit status 0 when both files are written,
// 1 otherwise, with a message on standard output.
#include <cstdio>
#include <string>

#include "common/files/output_file.hpp"
#include "common/files/same_file.hpp"
#include "common/files/whole_file.hpp"
#include "common/files/write_failure.hpp"
#include "common/outcome/outcome.hpp"
#include "extract/genotype_file.hpp"
#include "extract/marker_names.hpp"
#include "extract/usage.hpp"

int main(int argc, char** argv) {
  using namespace extract;
  using outcome::refuse_line;
  if (argc != 4) {
    print_usage();
    return 1;
  }
  const std::string input = argv[1], qtl_name = argv[2], marker_name = argv[3];
  // Overwriting the genotype file with a part of it, or one output with the other, would lose
  // data that only a new simulation could bring back.
  if (files::same_file(qtl_name.c_str(), marker_name.c_str()))
    return refuse_line("extract: qtlfile and markerfile are the same file: " + qtl_name);
  if (files::same_file(input.c_str(), qtl_name.c_str()) ||
      files::same_file(input.c_str(), marker_name.c_str()))
    return refuse_line("extract: an output file would replace the genotype file " + input);

  std::string text;
  if (!files::read_file(input, text)) return refuse_line("error opening file " + input);
  GenotypeFile genotypes;
  if (const outcome::Outcome refused = parse_genotype_file(input, text, genotypes)) {
    return refuse_line("extract: " + refused->text);
  }

  // Both outputs are opened before either is written: a name that cannot be created stops
  // the run before any genotype is written.
  files::OutputFile qtl_file, marker_file;
  if (!qtl_file.open(qtl_name.c_str())) return refuse_line("error opening file " + qtl_name);
  if (!marker_file.open(marker_name.c_str()))
    return refuse_line("error opening file " + marker_name);
  render_subset(genotypes, trait_loci(genotypes),
                [&](std::string_view piece) { qtl_file.text(piece); });
  // The two files are one result: when either cannot be written, neither stays.
  const auto cannot_write = [&](const files::OutputFile& failed, const std::string& name) {
    qtl_file.discard();
    marker_file.discard();
    return refuse_line(files::cannot_write("extract", name, failed.error()));
  };
  if (!qtl_file.close()) return cannot_write(qtl_file, qtl_name);
  const std::vector<std::int32_t> markers = marker_loci(genotypes);
  render_subset(genotypes, markers, [&](std::string_view piece) { marker_file.text(piece); });
  if (!marker_file.close()) return cannot_write(marker_file, marker_name);
  // The marker file is kept as it is, the genotype layout allowing such names; the warning
  // comes at the step that made the file, rather than at xp-geno's.
  for (const std::string& warning : marker_name_warnings(genotypes, markers, marker_name))
    std::fprintf(stderr, "%s\n", warning.c_str());
  return 0;
}
