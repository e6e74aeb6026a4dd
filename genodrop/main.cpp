// genodrop: gene dropping. Founders draw their alleles from the frequencies of their
// population, every other individual receives one haplotype from each parent by meiosis, and
// the alleles go to the genotype file and the trace file.
#include <cstdio>
#include <string>

#include "common/files/same_file.hpp"
#include "common/large_pages/large_pages.hpp"
#include "common/outcome/finish.hpp"
#include "common/random/random.hpp"
#include "common/records/read_notes.hpp"
#include "common/records/sstop.hpp"
#include "genodrop/beyond_table.hpp"
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

// A position or frequency written without its decimal point is read scaled by the layout; the
// reader is told.
void warn_implied_decimals(const records::ImpliedDecimals& note) {
  std::fprintf(stderr, "%s\n", records::implied_decimals_warning("genodrop", note).c_str());
}

void warn_if_any(const std::string& warning) {
  if (!warning.empty()) std::fprintf(stderr, "%s\n", warning.c_str());
}

// The run, read to written; every stop is handed up to main as it is found.
outcome::Outcome run(const genodrop::Options& names) {
  // Inputs are read whole before the outputs are opened, so writing over one works, and
  // callers rely on it; but it may be a slip of the user's.
  for (const std::string& output : {std::string(names.genotypes.trimmed()), std::string(genodrop::trace_name)})
    warn_if_any(files::replaced_input_warning(
        "genodrop", output, {std::string(names.chromosome.trimmed()), std::string(names.pedigree.trimmed())}));
  genodrop::Locides locides;
  genodrop::Pedigree pedigree;
  if (auto stop = genodrop::read_chromosome(names.chromosome.trimmed(), locides)) return stop;
  if (auto stop = genodrop::read_pedigree(names.pedigree.trimmed(), pedigree)) {
    warn_if_any(genodrop::beyond_table_note(*stop, names.pedigree.trimmed(), pedigree));
    return stop;
  }
  genodrop::Genotypes genotypes{in_large_pages<std::int16_t>(pedigree.count, locides.count)};
  genodrop::Gent gent{in_large_pages<float>(pedigree.count, locides.count)};
  bool marker_order = false;
  if (auto stop = genodrop::drop_genes(locides, pedigree, names.pedigree.trimmed(), genotypes, &gent, marker_order)) {
    if (marker_order) genodrop::explain_marker_order(locides);
    return stop;
  }
  // Opened only now, so a run that stops leaves existing output files as they were.
  genodrop::write_files(names.genotypes.trimmed(), locides, pedigree, genotypes, &gent);
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  constexpr const outcome::Program& program = outcome::programs::genodrop;
  // Seeded before anything else, so that the clock alone decides the run.
  ranlux::rndseed();
  records::name_program(program.name);
  genodrop::Options names;
  if (auto ended = genodrop::parse(argc, argv, names)) return outcome::finish(program, ended);
  records::on_implied_decimals(warn_implied_decimals);
  return outcome::finish(program, run(names));
}
