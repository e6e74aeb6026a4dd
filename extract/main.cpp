// extract genotypes qtlfile markerfile
//
// Cuts a genotype file of genodrop in two files of the same layout: the trait loci (names
// containing "qtl") for traitsim, all other loci for xp-geno. Loci and individuals keep their
// order. The whole input is read and checked before either output is opened, so a refused
// input leaves existing output files untouched. Exit status 0 when both files are written,
// 1 otherwise, with a message on standard output.
#include <cstdio>
#include <string>

#include "genotype_file.hpp"
#include "text_files.hpp"
#include "usage.hpp"

namespace {

int fail(const std::string& text) {
  std::printf("%s\n", text.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace extract;
  if (argc != 4) {
    print_usage();
    return 1;
  }
  const std::string input = argv[1], qtl_name = argv[2], marker_name = argv[3];
  // Overwriting the genotype file with a part of it, or one output with the other, would lose
  // data that only a new simulation could bring back.
  if (same_file(qtl_name, marker_name))
    return fail("extract: qtlfile and markerfile are the same file: " + qtl_name);
  if (same_file(input, qtl_name) || same_file(input, marker_name))
    return fail("extract: an output file would replace the genotype file " + input);

  std::string text;
  if (!read_file(input, text)) return fail("error opening file " + input);
  ParseResult parsed = parse_genotype_file(input, text);
  if (!parsed.error.empty()) return fail("extract: " + parsed.error);
  text = std::string();

  const std::string qtl_text = render_subset(parsed.file, trait_loci(parsed.file));
  const std::string marker_text = render_subset(parsed.file, marker_loci(parsed.file));
  if (!write_file(qtl_name, qtl_text)) return fail("error writing file " + qtl_name);
  if (!write_file(marker_name, marker_text)) return fail("error writing file " + marker_name);
  return 0;
}
