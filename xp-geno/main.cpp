// xp-geno: writes the SOLAR marker file from a numbered pedigree and a marker genotype file.
//
//   check arguments -> open pedigree, markers, output -> write_solar_markers -> close
//
// Exit status 0 when the file is written; 1 for the usage text, a file that cannot be opened,
// or a fault in an input (the incomplete output is then removed).
#include <cstdio>
#include <utility>

#include "item_stream.hpp"
#include "output_file.hpp"
#include "solar_markers.hpp"
#include "usage.hpp"

int main(int argc, char** argv) {
  if (argc != 4) {
    xpgeno::print_usage();
    return 1;
  }
  const char* pedigree_name = argv[1];
  const char* markers_name = argv[2];
  const char* out_name = argv[3];

  std::FILE* pedigree = std::fopen(pedigree_name, "r");
  if (pedigree == nullptr) {
    std::printf("error opening file %s", pedigree_name);
    return 1;
  }
  std::FILE* markers = std::fopen(markers_name, "r");
  if (markers == nullptr) {
    std::printf("error opening file %s", markers_name);
    return 1;
  }
  for (const auto& [input, input_name] : {std::pair{pedigree, pedigree_name}, std::pair{markers, markers_name}}) {
    if (freeform::same_file(out_name, input)) {
      std::printf("%s is the input file %s: give the output another name\n", out_name, input_name);
      return 1;
    }
  }
  freeform::OutputFile out;
  if (!out.open(out_name)) {
    std::printf("error opening file %s", out_name);
    return 1;
  }

  freeform::ItemStream pedigree_items(pedigree);
  freeform::ItemStream marker_items(markers);
  const auto problem = xpgeno::write_solar_markers({pedigree_items, pedigree_name},
                                                   {marker_items, markers_name}, out);
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
  std::fclose(markers);
  std::fclose(pedigree);
  return 0;
}
