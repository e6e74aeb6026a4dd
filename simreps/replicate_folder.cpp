#include "simreps/replicate_folder.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "common/files/whole_file.hpp"
#include "common/files/write_failure.hpp"
#include "genodrop/output.hpp"
#include "simreps/chain_steps.hpp"
#include "simreps/outdir.hpp"
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
outcome::Outcome write_working_files(const Plan& plan, const Replicate& replicate, const std::string& folder) {
  if (::chdir(folder.c_str()) != 0) return outcome::stop("cannot enter " + folder);
  genodrop::write_files("gntp.wrk", plan.inputs.loci, plan.inputs.pedigree, replicate.genotypes,
                        replicate.gent);
  traitsim::write_phenotypes("phtypes.wrk", replicate.trait);
  if (::chdir("..") != 0) return outcome::stop("cannot leave " + folder);
  std::string output;
  return run_step(plan.bin, folder, "extract", {"gntp.wrk", "qtl.wrk", "mark.wrk"}, output);
}

}  // namespace

outcome::Outcome make_folder(const Plan& plan, Replicate& replicate, std::int64_t r) {
  const std::string at = "replicate " + std::to_string(r) + ", ";
  const Seeds seeds = seeds_of(plan.first_seed, r);
  if (auto refusal = make_replicate(plan.inputs, seeds, replicate))
    return outcome::stop(at + refusal->text);

  const std::string partial = partial_name(r, plan.width);
  std::error_code error;
  std::filesystem::remove_all(partial, error);
  if (::mkdir(partial.c_str(), 0755) != 0) return outcome::stop(at + "cannot create " + partial + ": " + std::strerror(errno));

  std::string text;
  render_markers(plan.inputs, replicate, text);
  int failure = 0;
  const auto cannot_write = [&](const std::string& name) {
    return outcome::stop(at + files::cannot_write("", partial + "/" + name, failure));
  };
  if (!files::write_file(partial + "/mark.sol", text, &failure)) return cannot_write("mark.sol");
  text.clear();
  render_phenotypes(plan.inputs, replicate, text);
  if (!files::write_file(partial + "/phen.sol", text, &failure)) return cannot_write("phen.sol");
  if (plan.keep_working)
    if (auto refusal = write_working_files(plan, replicate, partial)) return outcome::stop(at + refusal->text);

  const Summary summary = summarise(replicate);
  const std::string row = std::string(manifest_header) + std::to_string(r) + '\t' +
                          std::to_string(seeds.genotypes) + '\t' + std::to_string(seeds.trait) +
                          '\t' + std::to_string(replicate.trait.n) + '\t' +
                          number_text(summary.mean) + '\t' + number_text(summary.sd) + '\n';
  if (!files::write_file(partial + "/" + row_file, row, &failure)) return cannot_write(row_file);

  const std::string name = replicate_name(r, plan.width);
  if (std::rename(partial.c_str(), name.c_str()) != 0) {
    // Another run of an overlapping slice finished it first: its folder holds the same files.
    if (errno == EEXIST || errno == ENOTEMPTY) {
      std::filesystem::remove_all(partial, error);
      return std::nullopt;
    }
    return outcome::stop(at + "cannot rename " + partial + " to " + name + ": " + std::strerror(errno));
  }
  return std::nullopt;
}

}  // namespace simreps
