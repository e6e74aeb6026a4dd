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
#include "simreps/solar_files.hpp"
#include "simreps/solar_text.hpp"
#include "simreps/working_split.hpp"
#include "traitsim/phenotype_file.hpp"

namespace simreps {
namespace {

std::string number_text(double value) {
  if (std::isnan(value)) return "NA";
  char text[40];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

// genodrop's two files of each chromosome from the tables, and traitsim's phenotypes, written
// by the programs' own writers in `folder`. Their names go to `written`.
outcome::Outcome write_program_files(const Plan& plan, const Replicate& replicate, const std::string& folder,
                                     std::vector<std::string>& written) {
  // With several chromosomes, each its genotype files (gntp.<k>.wrk ...).
  const std::size_t count = plan.inputs.chromosomes.size();
  if (::chdir(folder.c_str()) != 0) return outcome::stop("cannot enter " + folder);
  bool renamed = true;
  for (std::size_t k = 1; k <= count && renamed; ++k) {
    const std::string name = chromosome_file("gntp", k, count, ".wrk");
    genodrop::write_files(name, plan.inputs.chromosomes[k - 1]->loci, plan.inputs.pedigree,
                          replicate.genotypes_of(k - 1), &replicate.gent_of(k - 1));
    // genodrop's trace file always has the one name; each chromosome's keeps it apart.
    if (count > 1) renamed = std::rename(std::string(genodrop::trace_name).c_str(), (name + "_tmp").c_str()) == 0;
    written.push_back(name);
    written.push_back(name + "_tmp");
  }
  traitsim::write_phenotypes("phtypes.wrk", replicate.trait);
  written.push_back("phtypes.wrk");
  if (::chdir("..") != 0) return outcome::stop("cannot leave " + folder);
  if (!renamed) return outcome::stop("cannot rename " + std::string(genodrop::trace_name) + " in " + folder);
  return std::nullopt;
}

// Adds the checksums of the files `names` in `folder`, read back, to `sums`.
outcome::Outcome add_read_back(const std::string& folder, const std::vector<std::string>& names, FileSums& sums) {
  for (const std::string& name : names) {
    const auto sum = checksum_of(folder + "/" + name);
    if (!sum) return outcome::stop("cannot read back " + folder + "/" + name);
    sums.emplace_back(name, *sum);
  }
  return std::nullopt;
}

// extract's two files of chromosome `k` (from 1) in `folder`, their checksums into `sums`:
// written from the tables where extract takes genodrop's file, else by extract and read back.
outcome::Outcome write_extract_files(const Plan& plan, const Replicate& replicate, const std::string& folder,
                                     std::size_t k, FileSums& sums) {
  const std::size_t count = plan.inputs.chromosomes.size();
  const Chromosome& chromosome = *plan.inputs.chromosomes[k - 1];
  const std::string gntp = chromosome_file("gntp", k, count, ".wrk"), qtl = chromosome_file("qtl", k, count, ".wrk"),
                    mark = chromosome_file("mark", k, count, ".wrk");
  if (!split_in_process(chromosome.loci)) {
    std::string output;
    if (auto refusal = run_step(plan.bin, folder, "extract", {gntp, qtl, mark}, output)) return refusal;
    return add_read_back(folder, {qtl, mark}, sums);
  }
  const genodrop::Genotypes& genotypes = replicate.genotypes_of(k - 1);
  Checksum sum;
  if (auto failed = write_split_file(folder + "/" + qtl, chromosome.loci, genotypes, chromosome.trait_loci, sum))
    return failed;
  sums.emplace_back(qtl, sum);
  if (auto failed = write_split_file(folder + "/" + mark, chromosome.loci, genotypes, chromosome.marker_loci, sum))
    return failed;
  sums.emplace_back(mark, sum);
  return std::nullopt;
}

// The chain's working files of the replicate, written in its folder as the programs write
// them: genodrop's two files, traitsim's phenotypes, extract's cut of each genotype file (and
// with several chromosomes qtl.wrk, the merged QTL genotype file traitsim's phenotypes come
// from). Their checksums are added to `sums`, in that order.
outcome::Outcome write_working_files(const Plan& plan, const Replicate& replicate, const std::string& folder,
                                     FileSums& sums) {
  const std::size_t count = plan.inputs.chromosomes.size();
  std::vector<std::string> written, parts;
  if (auto failed = write_program_files(plan, replicate, folder, written)) return failed;
  if (auto failed = add_read_back(folder, written, sums)) return failed;
  for (std::size_t k = 1; k <= count; ++k) {
    if (auto failed = write_extract_files(plan, replicate, folder, k, sums)) return failed;
    parts.push_back(folder + "/" + chromosome_file("qtl", k, count, ".wrk"));
  }
  if (count == 1) return std::nullopt;
  if (auto failed = merge_qtl_files(parts, folder + "/qtl.wrk")) return failed;
  return add_read_back(folder, {"qtl.wrk"}, sums);
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
    if (auto failed = write_solar_files(plan.inputs, replicate, partial, sums)) return outcome::stop(at + failed->text);
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
