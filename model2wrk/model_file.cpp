#include "model2wrk/model_file.hpp"

#include <cstdio>

namespace model2wrk {
namespace {

// Eight lines of free text: traitsim skips them, a reader of the file needs them.
constexpr const char* header =
    "Trait model written by model2wrk: genotypic values per trait locus and the environmental\n"
    "standard deviation, for traitsim. Line 9: the number of model loci (columns 1-5). Then one\n"
    "line per locus: its name exactly as in the chromosome file (columns 1-12), the number of\n"
    "alleles n (13-17), then the n x n genotypic values G(j,k), 9 columns each: first allele\n"
    "j = 1 with second allele k = 1..n, then j = 2, and so on. The last line holds sigma, the\n"
    "environmental standard deviation, in columns 18-26. The phenotype is the sum of\n"
    "G(paternal allele, maternal allele) over the loci plus sigma times a normal deviate.\n";

void append_value(std::string& line, double value) {
  char field[32];
  std::snprintf(field, sizeof field, "%9.3f", value);
  line += field;
}

}  // namespace

std::string model_text(const ModelTable& table, const std::string& table_name) {
  std::string text = header;
  // A free line: a name with a line end in it would shift every line after it.
  std::string shown = table_name.substr(0, 200);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < ' ') c = '?';
  text += "From the model table " + shown + "\n";
  char field[64];
  std::snprintf(field, sizeof field, "%5zu\n", table.loci.size());
  text += field;
  for (const TraitLocus& locus : table.loci) {
    std::snprintf(field, sizeof field, "%-12s%5d", locus.name.c_str(), locus.alleles);
    text += field;
    for (const double value : locus.values) append_value(text, value);
    text += '\n';
  }
  text += "sigma            ";
  append_value(text, table.sigma);
  text += '\n';
  return text;
}

}  // namespace model2wrk
