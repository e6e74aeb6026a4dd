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
#include "genodrop/completion.hpp"
#include "genodrop/founders.hpp"
#include "genodrop/output.hpp"
#include "genodrop/pedigree.hpp"

namespace {

// The tables are far too large for the stack, and all lie in large pages: the two result
// tables, 6 MB filled once, in static storage; the two input tables, whose names are blanked
// as they are built, in memory of their own.
large_pages::HugePaged<genodrop::Genotypes> genotype_pages;
large_pages::HugePaged<genodrop::Gent> gent_pages;
genodrop::Genotypes& genotypes = genotype_pages.table;
genodrop::Gent& gent = gent_pages.table;
// Together they take one large page.
struct InputTables {
  genodrop::Locides locides;
  genodrop::Pedigree pedigree;
};
InputTables& inputs = large_pages::new_in_huge_pages<InputTables>();
genodrop::Locides& locides = inputs.locides;
genodrop::Pedigree& pedigree = inputs.pedigree;

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
  if (auto stop = genodrop::read_chromosome(names.chromosome.trimmed(), locides)) return stop;
  if (auto stop = genodrop::read_pedigree(names.pedigree.trimmed(), pedigree)) {
    warn_if_any(genodrop::beyond_table_note(*stop, names.pedigree.trimmed(), pedigree));
    return stop;
  }
  large_pages::prefer_huge_pages(&genotype_pages, sizeof genotype_pages);
  large_pages::prefer_huge_pages(&gent_pages, sizeof gent_pages);
  genodrop::model_founders(locides, pedigree, genotypes, gent);
  if (auto stop = genodrop::complete_offspring(locides, pedigree, genotypes, gent, names.pedigree.trimmed()))
    return stop;
  // Opened only now, so a run that stops leaves existing output files as they were.
  genodrop::write_files(names.genotypes.trimmed(), locides, pedigree, genotypes, gent);
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
