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

outcome::Outcome read_options(int argc, char** argv, Options& o) {
  struct Valued {
    const char* name;
    std::string* target;
  } valued[] = {{"--output", &o.output},         {"-o", &o.output},
                {"--pedigree", &o.pedigree},     {"--raw-pedigree", &o.raw_pedigree},
                {"--chromosome", &o.chromosome}, {"--model", &o.model},
                {"--genotypes", &o.genotypes},   {"--trace", &o.trace},
                {"--phenotypes", &o.phenotypes}};
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (arg == "-h" || arg == "--help") {
      o.help = true;
      return std::nullopt;
    }
    if (arg == "--no-trait") {
      o.no_trait = true;
      continue;
    }
    bool taken = false;
    for (const auto& v : valued) {
      const std::string_view name = v.name;
      if (arg == name) {
        if (k + 1 >= argc) return outcome::stop(std::string(name) + " needs a value");
        *v.target = argv[++k];
        taken = true;
      } else if (name.starts_with("--") && arg.starts_with(name) && arg.size() > name.size() &&
                 arg[name.size()] == '=') {
        *v.target = std::string(arg.substr(name.size() + 1));
        taken = true;
      }
      if (taken) break;
    }
    if (taken) continue;
    if (arg.starts_with("-") && arg != "-") return outcome::stop("unknown option " + std::string(arg));
    if (!o.folder.empty()) return outcome::stop("one folder only: " + o.folder + " and " + std::string(arg));
    o.folder = arg;
  }
  if (o.folder.empty()) return outcome::stop("no folder given");
  // genodrop writes its trace under this one name, whatever the genotype file is called.
  if (o.trace.empty()) o.trace = std::string(genodrop::trace_name);
  for (const std::string* name : {&o.genotypes, &o.trace, &o.phenotypes})
    if (name->empty()) return outcome::stop("an empty file name");
  return std::nullopt;
}

}  // namespace simcheck
