#include "simcheck/options.hpp"

#include <string_view>

#include "genodrop/output.hpp"

namespace simcheck {

const char* usage() {
  return "usage: simcheck [options] DIR\n"
         "Checks that a simulation is what its inputs asked for. DIR is a folder as\n"
         "examples/run-chain leaves it, or a simreps study made with --keep-working.\n"
         "  -o, --output FOLDER      tables and figure go here (default DIR/simcheck)\n"
         "  --pedigree FILE          numbered pedigree (default DIR/pe2.wrk)\n"
         "  --raw-pedigree FILE      a raw pedigree, numbered as famorder numbers it\n"
         "                           (default for a study: the one its study.tsv names)\n"
         "  --chromosome FILE        chromosome file (default DIR/chromosome.wrk, or the study's)\n"
         "  --model FILE             trait model (default DIR/model.wrk, or the study's)\n"
         "  --genotypes NAME         genotype file (default gntp.wrk; in each replicate of a study)\n"
         "  --trace NAME             trace file (default gntp.wrk_tmp, where genodrop puts it)\n"
         "  --phenotypes NAME        phenotype file (default phtypes.wrk)\n"
         "  --no-trait               leave the trait out\n"
         "  -h, --help               print this text\n"
         "Exit status: 0 when no flag is raised, 1 when one is or an input is refused.\n";
}

outcome::Outcome read_options(int argc, char** argv, Options& options) {
  // A value goes to `target`, or is added to `list` for an option given once per chromosome.
  struct Valued {
    const char* name;
    std::string* target;
    std::vector<std::string>* list = nullptr;
  } valued[] = {{"--output", &options.output},          {"-o", &options.output},
                {"--pedigree", &options.pedigree},      {"--raw-pedigree", &options.raw_pedigree},
                {"--chromosome", nullptr, &options.chromosomes}, {"--model", &options.model},
                {"--genotypes", &options.genotypes},    {"--trace", &options.trace},
                {"--phenotypes", &options.phenotypes}};
  std::string value;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (arg == "-h" || arg == "--help") {
      options.help = true;
      return std::nullopt;
    }
    if (arg == "--no-trait") {
      options.no_trait = true;
      continue;
    }
    bool taken = false;
    for (const auto& option : valued) {
      const std::string_view name = option.name;
      if (arg == name) {
        if (k + 1 >= argc) return outcome::stop(std::string(name) + " needs a value");
        value = argv[++k];
        taken = true;
      } else if (name.starts_with("--") && arg.starts_with(name) && arg.size() > name.size() &&
                 arg[name.size()] == '=') {
        value = std::string(arg.substr(name.size() + 1));
        taken = true;
      }
      if (!taken) continue;
      // An empty chromosome file name leaves the default, as it always did.
      if (option.list != nullptr && !value.empty()) option.list->push_back(value);
      else if (option.list == nullptr) *option.target = value;
      break;
    }
    if (taken) continue;
    if (arg.starts_with("-") && arg != "-") return outcome::stop("unknown option " + std::string(arg));
    if (!options.folder.empty()) return outcome::stop("one folder only: " + options.folder + " and " + std::string(arg));
    options.folder = arg;
  }
  if (options.folder.empty()) return outcome::stop("no folder given");
  // genodrop writes its trace under this one name, whatever the genotype file is called.
  if (options.trace.empty()) options.trace = std::string(genodrop::trace_name);
  for (const std::string* name : {&options.genotypes, &options.trace, &options.phenotypes})
    if (name->empty()) return outcome::stop("an empty file name");

  return std::nullopt;
}

}  // namespace simcheck
