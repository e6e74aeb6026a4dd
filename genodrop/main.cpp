// genodrop: gene dropping. Founders draw their alleles from the frequencies of their
// population, every other individual receives one haplotype from each parent by meiosis, and
// the alleles go to the genotype file and the trace file.
#include <cstdio>
#include <string>

#include "common/files/same_file.hpp"
#include "common/large_pages/large_pages.hpp"
#include "common/random/random.hpp"
#include "common/records/read_notes.hpp"
#include "common/records/sstop.hpp"
#include "genodrop/chromosome.hpp"
#include "genodrop/command_line.hpp"
#include "genodrop/gene_drop.hpp"
#include "genodrop/output.hpp"
#include "genodrop/pedigree.hpp"
#include "genodrop/stop_details.hpp"

namespace {

// The two result tables (6 MB at the limits, filled once) lie in large pages: faulting in
// small pages one by one costs more than filling them.
template <class Value>
genodrop::HaplotypeTable<Value> in_large_pages(std::int32_t individuals, std::int32_t loci) {
  const std::size_t bytes = genodrop::HaplotypeTable<Value>::bytes(individuals, loci);
  return {individuals, loci, static_cast<Value*>(large_pages::huge_page_memory(bytes == 0 ? 1 : bytes))};
}

void stop_if(const outcome::Outcome& result) {
  if (result) records::sstop(result->text);
}

// A position or frequency written without its decimal point is read scaled by the layout; the
// reader is told.
void warn_implied_decimals(const records::ImpliedDecimals& note) {
  std::fprintf(stderr, "%s\n", records::implied_decimals_warning("genodrop", note).c_str());
}

void warn_replaced(const std::string& warning) {
  if (!warning.empty()) std::fprintf(stderr, "%s\n", warning.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  // Seeded before anything else, so that the clock alone decides the run.
  ranlux::rndseed();
  records::name_program("genodrop");
  genodrop::Arguments names;
  bool usage = false;
  const outcome::Outcome taken = genodrop::take_arguments(argc, argv, names, usage);
  if (usage) {
    genodrop::print_usage();
    return 0;
  }
  stop_if(taken);
  records::on_implied_decimals(warn_implied_decimals);
  // Inputs are read whole before the outputs are opened, so writing over one works, and
  // callers rely on it; but it may be a slip of the user's.
  for (const std::string& output : {std::string(names.genotypes.trimmed()), std::string(genodrop::trace_name)})
    warn_replaced(files::replaced_input_warning(
        "genodrop", output, {std::string(names.chromosome.trimmed()), std::string(names.pedigree.trimmed())}));
  genodrop::Locides locides;
  genodrop::Pedigree pedigree;
  stop_if(genodrop::read_chromosome(names.chromosome.trimmed(), locides));
  stop_if(genodrop::read_pedigree(names.pedigree.trimmed(), pedigree));
  genodrop::Genotypes genotypes{in_large_pages<std::int16_t>(pedigree.count, locides.count)};
  genodrop::Gent gent{in_large_pages<float>(pedigree.count, locides.count)};
  bool marker_order = false;
  if (auto stop = genodrop::drop_genes(locides, pedigree, names.pedigree.trimmed(), genotypes, &gent, marker_order)) {
    if (marker_order) genodrop::explain_marker_order(locides);
    records::sstop(stop->text);
  }
  // Opened only now, so a run that stops leaves existing output files as they were.
  genodrop::write_files(names.genotypes.trimmed(), locides, pedigree, genotypes, &gent);
  return 0;
}
