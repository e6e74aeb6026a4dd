// simreps [options] RAW_PEDIGREE CHROMOSOME... MODEL OUTDIR
//
// A replicate study: the chain once per replicate, the steps that give the same result for
// every replicate done once.
//
//   parse -> the study set up (inputs' checksums, the user's tables imported, OUTDIR and its
//   study record) -> the chain's trial (deterministic files, every refusal and warning of the
//   programs, the tables read) -> the slice's missing replicates, made by the workers ->
//   manifest -> finish
//
// Exit status 0 when every replicate of the slice is in OUTDIR, 1 after a refusal (printed on
// standard output, naming the step and, where it applies, the replicate).
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/outcome/finish.hpp"
#include "common/records/sstop.hpp"
#include "simreps/command_line.hpp"
#include "simreps/slice.hpp"
#include "simreps/study_setup.hpp"
#include "simreps/trial_chain.hpp"

namespace {

using namespace simreps;

const outcome::Program& program = outcome::programs::simreps;

outcome::Outcome run(const Options& options) {
  Study study = requested_study(options);
  std::vector<std::string> inputs;
  if (auto refusal = read_checksums(options, inputs, study)) return refusal;
  auto imports = std::make_unique<Imports>();
  if (auto refusal = import_tables(options, inputs, *imports, study)) return outcome::whole(std::move(refusal));
  if (auto refusal = enter_outdir(options)) return refusal;
  // The study is checked before the chain's trial and begun only once the inputs are read, so
  // that refused inputs leave no record that would stand in the way of the mended ones.
  if (auto refusal = open_study(options, false, study)) return outcome::stop(refusal->text);
  if (::access(".", W_OK) != 0) return report_read_only(options, std::strerror(errno));

  auto tables = std::make_unique<Inputs>();
  auto field = std::make_unique<FieldFiles>();
  std::vector<std::string> warnings;
  if (auto refusal = trial_chain(options, inputs, *imports, study, *tables, *field, warnings))
    return outcome::stop(refusal->text);
  imports.reset();
  if (!options.quiet)
    std::printf("simreps: study in %s, first seed %d, replicates %lld-%lld of %lld\n",
                options.outdir.c_str(), study.first_seed, static_cast<long long>(options.first),
                static_cast<long long>(options.last), static_cast<long long>(options.count));
  if (auto refusal = pass_on(options, warnings, *field)) return outcome::stop(refusal->text);
  return make_study_slice(options, *tables, study.first_seed, field.get());
}

}  // namespace

int main(int argc, char** argv) {
  // A write that fails inside the programs' own steps (the working files of -k) names us.
  records::name_program(program.name);
  return outcome::finish<Options>(program, argc, argv, parse, run);
}
