#include "simreps/command_line.hpp"

#include <sched.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string_view>

#include "common/command_line/suite_options.hpp"
#include "simreps/seeds.hpp"
#include "simreps/study.hpp"

namespace simreps {
namespace {

constexpr std::int64_t max_jobs = 1024;
// A marker at 0 cM and one at 2 cM already reach beyond 32-bit positions at 10^9 bp per cM.
constexpr std::int64_t max_bp_per_cm = 1000000000;

// Each option's check returns the one line of a value outside its range.

// `text`, the value of option `name`, as a whole number from 1 to `high` into `value`.
outcome::Outcome read_whole(const char* name, const std::string& text, std::int64_t high, std::int64_t& value) {
  const auto n = command_line::whole_number(text);
  if (!n || *n < 1 || *n > high)
    return outcome::stop(std::string(name) + " " + text + ": give a whole number from 1 to " + std::to_string(high));
  value = *n;
  return std::nullopt;
}

outcome::Outcome read_count(const std::string& text, std::int64_t seeds, std::int64_t& count) {
  const std::int64_t max_count = room_for(1, seeds);
  if (const auto n = command_line::whole_number(text); n && *n > max_count)
    return outcome::stop("-n " + text + ": at most " + std::to_string(max_count) + " replicates, " +
                         (seeds == 2 ? std::string("two") : std::to_string(seeds)) + " seeds each");
  return read_whole("-n", text, max_count, count);
}

outcome::Outcome read_first_seed(const std::string& text, std::int64_t count, std::int64_t seeds,
                                 std::optional<std::int32_t>& first_seed) {
  const std::int64_t highest = highest_first_seed(count, seeds);
  const auto s = command_line::whole_number(text);
  if (!s || *s < 1 || *s > highest)
    return outcome::stop("--first-seed " + text + ": the seeds of " + std::to_string(count) +
                         " replicates must lie within 1 to " + std::to_string(max_seed) +
                         ", so the first seed must lie within 1 to " + std::to_string(highest));
  first_seed = static_cast<std::int32_t>(*s);
  return std::nullopt;
}

outcome::Outcome read_formats(const std::string& text, Formats& formats) {
  if (parse_formats(text, formats)) return std::nullopt;
  return outcome::stop("--formats " + text + ": give a comma-separated list of solar, vcf, plink and merlin, "
                       "each at most once");
}

// A tab or a line end would break the line of study.tsv that records the path.
outcome::Outcome plain_path(const char* what, const std::string& path) {
  if (path.find_first_of("\t\n\r") == std::string::npos) return std::nullopt;
  return outcome::stop(std::string(what) + ": a path with a tab or a line end cannot be recorded in study.tsv; "
                       "rename or link the file");
}

// Characters a VCF contig name may hold (its first character neither * nor =), less the
// slash, since the name goes into the file name map.<name>.sol.
bool contig_name(const std::string& name) {
  if (name.empty() || name[0] == '*' || name[0] == '=') return false;
  for (const char c : name) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!plain && std::string_view("!#$%&*+.:;=?@^_|~-").find(c) == std::string_view::npos) return false;
  }
  return true;
}

outcome::Outcome read_chromosome_names(const std::string& text, std::size_t count, std::vector<std::string>& names) {
  names.clear();
  std::istringstream items(text + ",");
  std::string item;
  while (std::getline(items, item, ',')) names.push_back(item);
  auto refuse = [&](const std::string& why) { return outcome::stop("--chromosome-names " + text + ": " + why); };
  if (names.size() != count)
    return refuse("give " + std::to_string(count) + (count == 1 ? " name" : " names") +
                  ", one for each chromosome file, not " + std::to_string(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!contig_name(names[i]))
      return refuse("the name \"" + names[i] + "\" is not one a VCF contig and a file name can hold: letters, digits and "
                    "!#$%&*+.:;=?@^_|~- only, not starting with * or =");
    for (std::size_t j = 0; j < i; ++j)
      if (names[j] == names[i]) return refuse("the name " + names[i] + " stands twice");
  }
  return std::nullopt;
}

// "A-B" or "A" into first and last.
bool read_slice(const std::string& text, std::int64_t& first, std::int64_t& last) {
  try {
    std::size_t used = 0;
    first = std::stoll(text, &used);
    if (used == text.size()) {
      last = first;
      return true;
    }
    if (text[used] != '-') return false;
    const std::string rest = text.substr(used + 1);
    last = std::stoll(rest, &used);
    return used == rest.size() && !rest.empty() && rest[0] >= '0' && rest[0] <= '9';
  } catch (const std::exception&) {
    return false;
  }
}

// The positional arguments of the command line, counted as CLI11 will take them: every
// argument that is not an option or an option's value, and all after "--".
std::size_t positional_count(int argc, char** argv) {
  static constexpr std::string_view with_value[] = {"-n", "--count", "-r", "--replicates", "-s", "--first-seed",
                                                    "-j", "--jobs", "--formats", "--bp-per-cm", "--chromosome-names"};
  static constexpr std::string_view short_with_value = "nrsj";
  std::size_t count = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") return count + static_cast<std::size_t>(argc - i - 1);
    if (arg.size() < 2 || arg[0] != '-') {
      ++count;
      continue;
    }
    if (std::find(std::begin(with_value), std::end(with_value), arg) != std::end(with_value)) {
      ++i;
      continue;
    }
    if (arg[1] == '-') continue;  // --name or --name=value
    // A cluster of short flags: a value-taking one takes the rest, or the next argument.
    for (std::size_t c = 1; c < arg.size(); ++c)
      if (short_with_value.find(arg[c]) != std::string_view::npos) {
        if (c + 1 == arg.size()) ++i;
        break;
      }
  }
  return count;
}

// The options' values as given, read as text so that a bad value gets one line with its range.
struct OptionTexts {
  std::string slice, count, seed, jobs, formats = default_formats, bp_per_cm, names;
  CLI::Option *seed_given = nullptr, *jobs_given = nullptr, *rate_given = nullptr, *names_given = nullptr;
};

// The replicates, the slice and the seeds of `texts` into `options`, whose operands are read.
outcome::Outcome read_study_values(const OptionTexts& texts, Options& options) {
  const std::int64_t seeds = seeds_per_replicate(options.chromosomes.size());
  if (auto refused = read_count(texts.count, seeds, options.count)) return refused;
  options.last = options.count;
  if (!texts.slice.empty()) {
    if (!read_slice(texts.slice, options.first, options.last) || options.first < 1 ||
        options.last < options.first || options.last > options.count)
      return outcome::stop("--replicates " + texts.slice + ": give A-B with 1 <= A <= B <= " +
                           std::to_string(options.count) + " (the count)");
  }
  if (texts.seed_given->count() > 0)
    if (auto refused = read_first_seed(texts.seed, options.count, seeds, options.first_seed)) return refused;
  return std::nullopt;
}

// Checks the values of `texts` into `options`, whose operands are read, in the order a
// refusal names them.
outcome::Outcome read_values(const OptionTexts& texts, Options& options) {
  if (auto refused = read_study_values(texts, options)) return refused;
  std::int64_t jobs = 0;
  if (texts.jobs_given->count() > 0) {
    if (auto refused = read_whole("-j", texts.jobs, max_jobs, jobs)) return refused;
    options.jobs = static_cast<int>(jobs);
  }
  if (auto refused = read_formats(texts.formats, options.formats)) return refused;
  if (texts.rate_given->count() > 0)
    if (auto refused = read_whole("--bp-per-cm", texts.bp_per_cm, max_bp_per_cm, options.bp_per_cm)) return refused;
  options.names_given = texts.names_given->count() > 0;
  if (options.names_given) {
    if (auto refused = read_chromosome_names(texts.names, options.chromosomes.size(), options.chromosome_names))
      return refused;
  } else {
    for (std::size_t k = 1; k <= options.chromosomes.size(); ++k) options.chromosome_names.push_back(std::to_string(k));
  }
  if (auto refused = plain_path("RAW_PEDIGREE", options.raw_pedigree)) return refused;
  for (const std::string& chromosome : options.chromosomes)
    if (auto refused = plain_path("CHROMOSOME", chromosome)) return refused;
  if (auto refused = plain_path("MODEL", options.model)) return refused;
  if (options.jobs == 0) options.jobs = available_cores();
  return std::nullopt;
}

// The operands into `options`; `positionals` is how many the command line gives.
void add_operands(CLI::App& app, Options& options, std::size_t positionals) {
  app.add_option("RAW_PEDIGREE", options.raw_pedigree,
                 "raw pedigree (as for famorder), or a pedigree table whose name ends in .fam (as for fam2raw)")
      ->required()->check(CLI::ExistingFile);
  // CLI11 would give every positional after the first to a list; the chromosome files are
  // all but the first and the last two.
  app.add_option("CHROMOSOME", options.chromosomes,
                 "chromosome file (as for genodrop), or a marker table whose name ends in .tsv (as for "
                 "map2chrom); several: the study's chromosomes, in order")
      ->required()->check(CLI::ExistingFile)->expected(positionals > 4 ? static_cast<int>(positionals - 3) : 1)->allow_extra_args(false);
  app.add_option("MODEL", options.model,
                 "trait model (as for traitsim), or a model table whose name ends in .tsv (as for model2wrk)")->required()->check(CLI::ExistingFile);
  app.add_option("OUTDIR", options.outdir, "folder of the study; created when missing")->required();
}

// The options: those with a value into `texts`, read as text and checked once all are read,
// so that a bad value gets one line with its range; the flags into `options`.
void add_options(CLI::App& app, Options& options, OptionTexts& texts) {
  app.add_option("-n,--count", texts.count, "replicates in the study")->required()->type_name("INT:POSITIVE");
  app.add_option("-r,--replicates", texts.slice, "make only replicates A to B of the study (A-B, or A)");
  texts.seed_given = app.add_option("-s,--first-seed", texts.seed,
                 "first seed S of the study: replicate r uses S+2(r-1) and S+2(r-1)+1 (with K chromosome "
                 "files: S+(K+1)(r-1)+k-1 for chromosome k, S+(K+1)(r-1)+K for the trait); "
                 "default: recorded in OUTDIR, or drawn at random")->type_name("INT");
  texts.jobs_given = app.add_option("-j,--jobs", texts.jobs, "replicates made at once (default: the cores available)")
                         ->type_name("INT:POSITIVE");
  app.add_option("--formats", texts.formats,
                 "formats of the replicates' files, a comma-separated list of solar (mark.sol, phen.sol), "
                 "vcf (genotypes.vcf.gz and .csi), plink (plink.bed, .bim, .fam: the biallelic markers) and "
                 "merlin (merlin.ped; merlin.dat and merlin.map in OUTDIR); default: solar")
      ->type_name("LIST");
  texts.rate_given = app.add_option("--bp-per-cm", texts.bp_per_cm,
                 "base pairs per cM for the VCF's and PLINK's positions (1 + cM x rate); default 1000000")
                         ->type_name("INT:POSITIVE");
  texts.names_given = app.add_option("--chromosome-names", texts.names,
                 "names of the chromosomes, comma-separated, one per chromosome file, for the map files, VCF, "
                 "PLINK and Merlin; default 1, 2, ...")->type_name("LIST");
  app.add_flag("-k,--keep-working", options.keep_working, "also keep each replicate's working files");
  app.add_flag("-q,--quiet", options.quiet, "no progress line and no report");
  app.add_flag("--suite-ids", options.suite_ids,
               "a study from a .fam names individuals by fam2raw's numbers 1, 2, ..., not by the .fam's "
               "family and id");
}

}  // namespace

int available_cores() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return 1;
}

outcome::Outcome parse(int argc, char** argv, Options& options) {
  CLI::App app{
      "Replicate studies: runs the simulation chain once per replicate, each replicate from\n"
      "its own two generator streams, and writes OUTDIR/pedigree.sol, OUTDIR/map.wrk.sol and\n"
      "per replicate OUTDIR/rep<r>/mark.sol and phen.sol, with OUTDIR/manifest.tsv; --formats\n"
      "adds or puts in their place VCF, PLINK and Merlin files.",
      "simreps"};
  command_line::configure(app);
  // simreps has always had CLI11's help and version flags, and its help text.
  app.set_help_flag("-h,--help", "Print this help message and exit");
  app.set_version_flag("--version", program_version);
  OptionTexts texts;
  add_operands(app, options, positional_count(argc, argv));
  add_options(app, options, texts);
  if (auto ended = command_line::parse_free_form(app, argc, argv)) return ended;
  return read_values(texts, options);
}

}  // namespace simreps
