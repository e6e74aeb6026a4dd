// xp-trait: writes the SOLAR phenotype file from a numbered pedigree and a phenotype file.
//
//   check arguments -> open phenotypes, pedigree, output -> write_solar_phenotypes -> close
//
// Exit status 0 when the file is written; 1 for the usage text, a file that cannot be opened,
// or a fault in an input (the incomplete output is then removed).
#include <cstdio>
#include <utility>

#include "item_stream.hpp"
#include "output_file.hpp"
#include "solar_phenotypes.hpp"
#include "usage.hpp"

int main(int argc, char** argv) {
  if (argc != 4) {
    xptrait::print_usage();
    return 1;
  }
  const char* pedigree_name = argv[1];
  const char* phenotypes_name = argv[2];
  const char* out_name = argv[3];

  std::FILE* phenotypes = std::fopen(phenotypes_name, "r");
  if (phenotypes == nullptr) {
    std::printf("error opening file %s\n", phenotypes_name);
    return 1;
  }
  std::FILE* pedigree = std::fopen(pedigree_name, "r");
  if (pedigree == nullptr) {
    std::printf("error opening file %s\n", pedigree_name);
    return 1;
  }
  for (const auto& [input, input_name] : {std::pair{phenotypes, phenotypes_name}, std::pair{pedigree, pedigree_name}}) {
    if (freeform::same_file(out_name, input)) {
      std::printf("%s is the input file %s: give the output another name\n", out_name, input_name);
      return 1;
    }
  }
  freeform::OutputFile out;
  if (!out.open(out_name)) {
    std::printf("error opening file %s\n", out_name);
    return 1;
  }

  freeform::ItemStream phenotype_items(phenotypes);
  freeform::ItemStream pedigree_items(pedigree);
  const auto problem = xptrait::write_solar_phenotypes({phenotype_items, phenotypes_name},
                                                       {pedigree_items, pedigree_name}, out);
  if (!problem.empty()) {
    out.discard();
    std::printf("%s\n%s is not written\n", problem.c_str(), out_name);
    return 1;
  }
  if (!out.close()) {
    out.discard();
    std::printf("error writing file %s\n", out_name);
    return 1;
  }
  std::fclose(pedigree);
  std::fclose(phenotypes);
  return 0;
}
