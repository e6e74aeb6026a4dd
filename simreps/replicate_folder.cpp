#include "simreps/replicate_folder.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "genodrop/output.hpp"
#include "simreps/chain_steps.hpp"
#include "simreps/completion.hpp"
#include "simreps/durable.hpp"
#include "simreps/format_files.hpp"
#include "simreps/outdir.hpp"
#include "simreps/qtl_file.hpp"
#include "simreps/solar_text.hpp"
#include "traitsim/phenotype_file.hpp"

namespace simreps {
namespace {

std::string number_text(double value) {
  if (std::isnan(value)) return "NA";
  char text[40];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

// The chain's working files of the replicate, written in its folder as the programs write
// them: genodrop's two files from the tables, extract run on them, traitsim's phenotypes.
// Their checksums are added to `sums`.
outcome::Outcome write_working_files(const Plan& plan, const Replicate& replicate, const std::string& folder,
                                     FileSums& sums) {
  // With several chromosomes, each its genotype files and extract's two (gntp.<k>.wrk ...), and
  // qtl.wrk the merged QTL genotype file traitsim's phenotypes come from.
  const std::size_t count = plan.inputs.chromosomes.size();
  auto name_of = [count](const char* stem, std::size_t k) { return chromosome_file(stem, k, count, ".wrk"); };
  if (::chdir(folder.c_str()) != 0) return outcome::stop("cannot enter " + folder);
  bool renamed = true;
  for (std::size_t k = 1; k <= count && renamed; ++k) {
    genodrop::write_files(name_of("gntp", k), plan.inputs.chromosomes[k - 1]->loci, plan.inputs.pedigree,
                          replicate.genotypes_of(k - 1), &replicate.gent_of(k - 1));
    // genodrop's trace file always has the one name; each chromosome's keeps it apart.
    if (count > 1)
      renamed = std::rename(std::string(genodrop::trace_name).c_str(), (name_of("gntp", k) + "_tmp").c_str()) == 0;
  }
  traitsim::write_phenotypes("phtypes.wrk", replicate.trait);
  if (::chdir("..") != 0) return outcome::stop("cannot leave " + folder);
  if (!renamed) return outcome::stop("cannot rename " + std::string(genodrop::trace_name) + " in " + folder);
  // Listed in the completion record in this order: genodrop's files, traitsim's, extract's.
  std::vector<std::string> names, parts;
  for (std::size_t k = 1; k <= count; ++k) {
    names.push_back(name_of("gntp", k));
    names.push_back(name_of("gntp", k) + "_tmp");
  }
  names.push_back("phtypes.wrk");
  for (std::size_t k = 1; k <= count; ++k) {
    std::string output;
    if (auto refusal = run_step(plan.bin, folder, "extract", {name_of("gntp", k), name_of("qtl", k), name_of("mark", k)},
                                output))
      return refusal;
    names.push_back(name_of("qtl", k));
    names.push_back(name_of("mark", k));
    parts.push_back(folder + "/" + name_of("qtl", k));
  }
  if (count > 1) {
    if (auto failed = merge_qtl_files(parts, folder + "/qtl.wrk")) return failed;
    names.push_back("qtl.wrk");
  }
  for (const std::string& name : names) {
    const auto sum = checksum_of(folder + "/" + name);
    if (!sum) return outcome::stop("cannot read back " + folder + "/" + name);
    sums.emplace_back(name, *sum);
  }
  return std::nullopt;
}

outcome::Outcome write_text(const std::string& folder, const char* name, const std::string& text, FileSums& sums) {
  if (auto failed = write_and_start_flush(folder + "/" + name, text)) return failed;
  sums.emplace_back(name, checksum_of_text(text));
  return std::nullopt;
}

// Removes the folder `name` of replicate `r` when it is not complete, and the partial folders
// of `r` that lost runs left: whoever wrote them held the claim we hold now. Returns true when
// a complete folder is there.
bool clear_the_way(std::int64_t r, const std::string& name) {
  std::error_code error;
  bool complete = false;
  if (std::filesystem::exists(name, error)) {
    complete = !check_complete(name, false);
    if (!complete) std::filesystem::remove_all(name, error);
  }
  remove_partials(r, r);
  return complete;
}

}  // namespace

outcome::Outcome make_folder(const Plan& plan, Replicate& replicate, std::int64_t r, Claim claim,
                             std::vector<Made>& batch) {
  const std::string at = "replicate " + std::to_string(r) + ", ";
  const std::string name = replicate_name(r, plan.width);
  if (clear_the_way(r, name)) return std::nullopt;
  const Seeds seeds = seeds_of(plan.first_seed, r, static_cast<std::int64_t>(plan.inputs.chromosomes.size()));
  if (auto refusal = make_replicate(plan.inputs, seeds, replicate)) return outcome::stop(at + refusal->text);

  const std::string partial = partial_name(r, plan.width);
  if (::mkdir(partial.c_str(), 0755) != 0)
    return outcome::stop(at + "cannot create " + partial + ": " + std::strerror(errno));
  FileSums sums;
  if (plan.field == nullptr || plan.field->formats.solar) {
    std::string text;
    render_markers(plan.inputs, replicate, text);
    if (auto failed = write_text(partial, "mark.sol", text, sums)) return outcome::stop(at + failed->text);
    text.clear();
    render_phenotypes(plan.inputs, replicate, text);
    if (auto failed = write_text(partial, "phen.sol", text, sums)) return outcome::stop(at + failed->text);
  }
  if (plan.field != nullptr)
    if (auto failed = write_format_files(*plan.field, plan.inputs, replicate, plan.first_seed, r, seeds, partial, sums))
      return outcome::stop(at + failed->text);
  if (plan.keep_working)
    if (auto refusal = write_working_files(plan, replicate, partial, sums)) return outcome::stop(at + refusal->text);

  const Summary summary = summarise(replicate);
  const std::string row = std::string(manifest_header) + std::to_string(r) + '\t' +
                          std::to_string(seeds.genotypes) + '\t' + std::to_string(seeds.trait) +
                          '\t' + std::to_string(replicate.trait.n) + '\t' +
                          number_text(summary.mean) + '\t' + number_text(summary.sd) + '\n';
  if (auto failed = write_text(partial, row_file, row, sums)) return outcome::stop(at + failed->text);
  // Last: a folder with this record is whole.
  FileSums none;
  if (auto failed = write_text(partial, completion_file, completion_text(sums), none))
    return outcome::stop(at + failed->text);
  batch.push_back(Made{r, partial, name, std::move(claim)});
  return std::nullopt;
}

outcome::Outcome publish(std::vector<Made>& batch) {
  if (batch.empty()) return std::nullopt;
  if (auto failed = sync_file_system(".")) return failed;
  for (Made& made : batch) {
    if (std::rename(made.partial.c_str(), made.name.c_str()) != 0)
      return outcome::stop("replicate " + std::to_string(made.replicate) + ", cannot rename " + made.partial +
                           " to " + made.name + ": " + std::strerror(errno));
  }
  if (auto failed = sync_folder(".")) return failed;
  batch.clear();  // lets the claims go
  return std::nullopt;
}

}  // namespace simreps
