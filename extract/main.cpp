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
#include "common/outcome/finish.hpp"
#include "extract/command_line.hpp"
#include "extract/genotype_file.hpp"
#include "extract/marker_names.hpp"

namespace {

using namespace extract;

// The traditional message for a file that cannot be opened, without extract's name.
outcome::Outcome cannot_open(const std::string& name) { return outcome::whole("error opening file " + name); }

// Overwriting the genotype file with a part of it, or one output with the other, would lose
// data that only a new simulation could bring back.
outcome::Outcome check_names(const Options& names) {
  if (files::same_file(names.qtl.c_str(), names.markers.c_str()))
    return outcome::stop("qtlfile and markerfile are the same file: " + names.qtl);
  if (files::same_file(names.genotypes.c_str(), names.qtl.c_str()) ||
      files::same_file(names.genotypes.c_str(), names.markers.c_str()))
    return outcome::stop("an output file would replace the genotype file " + names.genotypes);
  return std::nullopt;
}

// Writes both files from `genotypes`. They are one result: when either cannot be written,
// neither stays.
outcome::Outcome write(const Options& names, const GenotypeFile& genotypes) {
  // Both outputs are opened before either is written: a name that cannot be created stops
  // the run before any genotype is written.
  files::OutputFile qtl_file, marker_file;
  if (!qtl_file.open(names.qtl.c_str())) return cannot_open(names.qtl);
  if (!marker_file.open(names.markers.c_str())) return cannot_open(names.markers);
  const auto cannot_write = [&](const files::OutputFile& failed, const std::string& name) {
    qtl_file.discard();
    marker_file.discard();
    return outcome::stop(files::cannot_write("", name, failed.error()));
  };
  render_subset(genotypes, trait_loci(genotypes), [&](std::string_view piece) { qtl_file.text(piece); });
  if (!qtl_file.close()) return cannot_write(qtl_file, names.qtl);
  const std::vector<std::int32_t> markers = marker_loci(genotypes);
  render_subset(genotypes, markers, [&](std::string_view piece) { marker_file.text(piece); });
  if (!marker_file.close()) return cannot_write(marker_file, names.markers);
  // The marker file is kept as it is, the genotype layout allowing such names; the warning
  // comes at the step that made the file, rather than at xp-geno's.
  for (const std::string& warning : marker_name_warnings(genotypes, markers, names.markers))
    std::fprintf(stderr, "%s\n", warning.c_str());
  return std::nullopt;
}

outcome::Outcome run(const Options& names) {
  if (auto refused = check_names(names)) return refused;
  std::string text;
  if (!files::read_file(names.genotypes, text)) return cannot_open(names.genotypes);
  GenotypeFile genotypes;
  if (auto refused = parse_genotype_file(names.genotypes, text, genotypes)) return refused;
  return write(names, genotypes);
}

}  // namespace

int main(int argc, char** argv) {
  return outcome::finish<Options>(outcome::programs::extract, argc, argv, parse, run);
}
