#include "simreps/beyond_tables.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "common/outcome/finish.hpp"
#include "common/random/random.hpp"
#include "common/rawped/reader.hpp"
#include "famlint/family_checks.hpp"
#include "famlint/messages.hpp"
#include "famlint/read_pedigree.hpp"
#include "famorder/messages.hpp"
#include "famorder/number_file.hpp"
#include "famorder/write_table.hpp"
#include "genodrop/chromosome.hpp"
#include "genodrop/gene_drop.hpp"
#include "genodrop/output.hpp"
#include "genodrop/pedigree.hpp"
#include "genodrop/stop_details.hpp"
#include "traitsim/model.hpp"
#include "traitsim/model_file.hpp"
#include "traitsim/phenotype_file.hpp"
#include "traitsim/qtl_file.hpp"
#include "traitsim/unmatched_loci.hpp"
#include "xp-loci/chromosome_map.hpp"
#include "xp-loci/map_order.hpp"
#include "xp-loci/solar_map.hpp"

namespace simreps {
namespace {

// The refusal as run_step gives it for a program that printed `output` and ended with status 1.
outcome::Outcome stopped(const std::string& program, std::string output) {
  if (!output.empty() && output.back() == '\n') output.pop_back();
  return outcome::stop(program + " stopped (status 1):\n" + output);
}

// What the fatal stop prints: a blank, then the text.
outcome::Outcome stopped_fatally(const std::string& program, const outcome::Stop& stop, const std::string& before = {}) {
  return stopped(program, before + " " + stop.text);
}

outcome::Outcome famorder_step(const std::vector<std::string>& arguments) {
  std::FILE* in = rawped::open_input(arguments[0]);
  if (in == nullptr) return stopped("famorder", "cannot open input data file '" + arguments[0] + "'\n");
  famorder::PedTable table;
  const outcome::Outcome refused = famorder::number_file(in, arguments[0], table, "famorder", most_individuals);
  std::fclose(in);
  if (refused) return stopped("famorder", refused->text);
  std::FILE* out = std::fopen(arguments[1].c_str(), "w");
  const bool written = out != nullptr && famorder::owif(out, table);
  if (out == nullptr || std::fclose(out) != 0 || !written) return outcome::stop("cannot write " + arguments[1]);
  return std::nullopt;
}

// famlint's checks with the numbered pedigree's own limits and its fields whole; its race
// notices into `notes`, as famlint prints them.
outcome::Outcome famlint_step(const std::vector<std::string>& arguments, std::string& notes) {
  auto data = std::make_unique<famlint::Data>(0);
  const famlint::Limits limits{most_individuals, most_individuals, false};
  std::int32_t ndat = 0;
  famlint::FamilyIndex buf1;
  const auto notice = [&notes](std::int32_t row) {
    notes += "  The parents are presented but race<>0, setting race=0 in data line " + std::to_string(row) + "\n";
  };
  outcome::Outcome error = famlint::read_pedigree(arguments[0], *data, ndat, notice, limits);
  if (!error) error = famlint::check_sequence(*data, ndat);
  if (!error) error = famlint::testsex(*data, ndat, buf1, arguments[0], limits.families);
  if (error) return stopped("famlint", notes + error->text);
  return std::nullopt;
}

outcome::Outcome genodrop_step(const std::vector<std::string>& arguments) {
  genodrop::Locides locides;
  genodrop::Pedigree pedigree;
  if (auto stop = genodrop::read_chromosome(arguments[0], locides, file_limits)) return stopped_fatally("genodrop", *stop);
  if (auto stop = genodrop::read_pedigree(arguments[1], pedigree, file_limits)) return stopped_fatally("genodrop", *stop);
  genodrop::Genotypes genotypes{{pedigree.count, locides.count}};
  // The trial's draws only show that the programs take the inputs, as the clock-seeded run
  // does; nothing reads its trace, so its deviates are not kept (they would take twice the
  // alleles' room).
  ranlux::rndseed();
  bool marker_order = false;
  if (auto stop = genodrop::drop_genes(locides, pedigree, arguments[1], genotypes, nullptr, marker_order))
    return stopped_fatally("genodrop", *stop, marker_order ? genodrop::marker_order_detail(locides) + "\n" : "");
  genodrop::write_files(arguments[2], locides, pedigree, genotypes, nullptr);
  return std::nullopt;
}

outcome::Outcome traitsim_step(const std::vector<std::string>& arguments) {
  traitsim::Locides locides;
  traitsim::Genotypes genotypes;
  if (auto stop = traitsim::read_model(arguments[1], locides)) return stopped_fatally("traitsim", *stop);
  traitsim::QtlFile qtl = traitsim::open_qtl_file(arguments[0]);
  outcome::Outcome stop = traitsim::read_qtl_header(qtl, locides, genotypes, most_individuals);
  if (!stop) traitsim::read_qtl_names(qtl, locides);
  for (std::int32_t k = 0; k < genotypes.n && !stop; ++k)
    if (!(stop = traitsim::read_genotype_line(qtl, locides, genotypes))) traitsim::add_genotypic_value(locides, genotypes, k);
  traitsim::close_qtl_file(qtl);
  if (stop) return stopped_fatally("traitsim", *stop);
  ranlux::rndseed();
  traitsim::add_environment(locides, genotypes);
  if (const std::int32_t q = traitsim::first_non_finite(genotypes); q >= 0)
    return stopped_fatally("traitsim", outcome::Stop{traitsim::non_finite_phenotype(q, arguments[1])});
  traitsim::warn_unmatched_loci(locides, arguments[0]);
  traitsim::write_phenotypes(arguments[2], genotypes);
  return std::nullopt;
}

outcome::Outcome xploci_step(const std::vector<std::string>& arguments) {
  xploci::Locides locides;
  if (auto stop = xploci::read_chromosome_map(records::Text<255>(arguments[0]), locides, most_loci))
    return stopped_fatally("xp-loci", *stop);
  for (const std::string& warning : xploci::decreasing_positions(locides)) outcome::warn(outcome::programs::xp_loci, warning);
  xploci::write_solar_map(records::Text<255>(arguments[1]), locides);
  return std::nullopt;
}

// `output` without the lines that start with "<program>:": the program's warnings, and the
// line on standard error that says its table is too small for the input.
std::string refusal_alone(const std::string& program, const std::string& output) {
  std::string kept;
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find('\n', start);
    end = end == std::string::npos ? output.size() : end + 1;
    if (output.compare(start, program.size() + 1, program + ":") != 0) kept.append(output, start, end - start);
    start = end;
  }
  return kept;
}

}  // namespace

bool table_refusal(const std::string& program, const std::string& printed) {
  const std::string output = refusal_alone(program, printed);
  if (program == "famorder") return output == famorder::too_many_pedigrees_message();
  if (program == "famlint")
    return output == famlint::sample_size_message() ||
           output.find(famlint::too_many_families_message("pe2.wrk", 0).substr(0, 40)) != std::string::npos;
  if (program == "genodrop")
    return output == " too many individuals\n" || output == " too many pedigrees\n" ||
           output == " too many loci to model.\n";
  if (program == "traitsim") return output.starts_with(" too many individuals in ");
  if (program == "xp-loci") return output == " too many loci to model.\n";
  return false;
}

outcome::Outcome run_beyond_tables(const std::string& work, const std::string& program,
                                   const std::vector<std::string>& arguments, std::string& notes) {
  // In the working folder, as the program runs there: its messages name the files as given.
  const int back = ::open(".", O_RDONLY | O_CLOEXEC);
  if (back < 0 || ::chdir(work.c_str()) != 0) {
    if (back >= 0) ::close(back);
    return outcome::stop("cannot enter " + work);
  }
  outcome::Outcome result;
  if (program == "famorder") result = famorder_step(arguments);
  else if (program == "famlint") result = famlint_step(arguments, notes);
  else if (program == "genodrop") result = genodrop_step(arguments);
  else if (program == "traitsim") result = traitsim_step(arguments);
  else result = xploci_step(arguments);
  std::fflush(nullptr);
  const bool returned = ::fchdir(back) == 0;
  ::close(back);
  if (!returned) return outcome::stop("cannot leave " + work);
  return result;
}

}  // namespace simreps
