// traitsim qtl model [phenotypes]
//
// Turns QTL genotypes into one quantitative phenotype per individual: the genotypic values of
// the model's loci, summed, plus sigma times a normal deviate. Everything is read before the
// phenotype file is opened, so a run that stops leaves an existing phenotype file untouched.
// Exit status 0 when the file is written (or the usage text printed), 1 after a fatal stop,
// which also leaves its message in the file "err".
#include <string>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "common/random/random.hpp"
#include "common/records/file_name.hpp"
#include "common/records/sstop.hpp"
#include "traitsim/err_file.hpp"
#include "traitsim/model.hpp"
#include "traitsim/model_file.hpp"
#include "traitsim/phenotype_file.hpp"
#include "traitsim/qtl_file.hpp"
#include "traitsim/tables.hpp"
#include "traitsim/unmatched_loci.hpp"
#include "traitsim/usage.hpp"

namespace {

using namespace traitsim;

// The one way a run of traitsim stops: the fatal stop, which also writes the file "err".
void stop_on(const outcome::Outcome& result) {
  if (result) records::sstop(result->text);
}

std::string_view file_name(const char* argument, int position) {
  if (!records::file_name(argument)) stop_on(outcome::stop(records::long_file_name(position)));
  return argument;
}

}  // namespace

int main(int argc, char** argv) {
  // Seeding comes first of all, so that the deviates depend on nothing but the clock second.
  ranlux::rndseed();
  records::on_stop(write_err_file);
  records::name_program("traitsim");
  if (argc < 3) {
    print_usage();
    return 0;
  }
  const std::string_view qtl_name = file_name(argv[1], 1);
  const std::string_view model_name = file_name(argv[2], 2);
  const std::string_view output_name = argc > 3 ? file_name(argv[3], 3) : "phtypes.wrk";

  Locides locides;
  Genotypes genotypes;

  stop_on(read_model(model_name, locides));

  QtlFile qtl = open_qtl_file(qtl_name);
  stop_on(read_qtl_header(qtl, locides, genotypes));
  read_qtl_names(qtl, locides);
  for (std::int32_t k = 0; k < genotypes.n; ++k) {
    stop_on(read_genotype_line(qtl, locides, genotypes));
    add_genotypic_value(locides, genotypes, k);
  }
  close_qtl_file(qtl);

  add_environment(locides, genotypes);
  if (const std::int32_t q = first_non_finite(genotypes); q >= 0)
    stop_on(outcome::stop("phenotype of individual " + std::to_string(q + 1) +
                          " is not a finite number; see the values and sigma in " +
                          std::string(model_name)));

  // Only a run that writes a trait has one to warn about.
  warn_unmatched_loci(locides, qtl_name);
  write_phenotypes(output_name, genotypes);
  return 0;
}
