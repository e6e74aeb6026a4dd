// traitsim qtl model [phenotypes]
//
// Turns QTL genotypes into one quantitative phenotype per individual: the genotypic values of
// the model's loci, summed, plus sigma times a normal deviate. Everything is read before the
// phenotype file is opened, so a run that stops leaves an existing phenotype file untouched.
// Exit status 0 when the file is written (or the usage text printed), 1 after a fatal stop,
// which also leaves its message in the file "err".
#include <cstdio>
#include <string>
#include <string_view>

#include "common/files/same_file.hpp"
#include "common/outcome/finish.hpp"
#include "common/random/random.hpp"
#include "common/records/read_notes.hpp"
#include "common/records/sstop.hpp"
#include "traitsim/beyond_table.hpp"
#include "traitsim/command_line.hpp"
#include "traitsim/err_file.hpp"
#include "traitsim/model.hpp"
#include "traitsim/model_file.hpp"
#include "traitsim/phenotype_file.hpp"
#include "traitsim/qtl_file.hpp"
#include "traitsim/tables.hpp"
#include "traitsim/unmatched_loci.hpp"

namespace {

using namespace traitsim;

// A value written without its decimal point is read scaled by the layout; the reader is told.
void warn_implied_decimals(const records::ImpliedDecimals& note) {
  std::fprintf(stderr, "%s\n", records::implied_decimals_warning("traitsim", note).c_str());
}

void warn_if_any(const std::string& warning) {
  if (!warning.empty()) std::fprintf(stderr, "%s\n", warning.c_str());
}

std::string_view model_name;

// The read diagnostic names only a line and a layout the user never wrote; for the model file
// one line first says what its lines must look like.
void explain_model_fault(const records::ReadFault& fault) {
  // A missing, empty or unreadable file has no lines to explain.
  if (fault.file != model_name || fault.reason.starts_with("can't") ||
      (fault.reason == "end of file" && fault.line == 1))
    return;
  std::string text = "traitsim: " + std::string(fault.file) + " line " + std::to_string(fault.line) +
                     " cannot be read: after its 8 free text lines a model file's lines are fixed"
                     " columns without tabs (count in columns 1-5; a locus: name 1-12, alleles"
                     " 13-17, values 9 columns each, with a decimal point; sigma in 18-26)";
  if (fault.reason == "end of file" && fault.line <= 9)
    text += "; the file has only " + std::to_string(fault.line - 1) + " lines";
  else if (fault.text.find('\t') != std::string_view::npos)
    text += "; this line holds a tab";
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
}

// The run, read to written; every stop is handed up to main as it is found. Both inputs are
// read before the phenotype file is opened.
outcome::Outcome run(const Options& names) {
  Locides locides;
  Genotypes genotypes;

  if (auto stop = read_model(names.model, locides)) return stop;

  QtlFile qtl = open_qtl_file(names.qtl);
  if (auto stop = read_qtl_header(qtl, locides, genotypes)) {
    warn_if_any(beyond_table_note(*stop, genotypes));
    return stop;
  }
  read_qtl_names(qtl, locides);
  for (std::int32_t k = 0; k < genotypes.n; ++k) {
    if (auto stop = read_genotype_line(qtl, locides, genotypes)) return stop;
    add_genotypic_value(locides, genotypes, k);
  }
  close_qtl_file(qtl);

  add_environment(locides, genotypes);
  if (const std::int32_t q = first_non_finite(genotypes); q >= 0)
    return outcome::stop(non_finite_phenotype(q, names.model));

  // Only a run that writes a trait has one to warn about.
  warn_unmatched_loci(locides, names.qtl);
  write_phenotypes(names.phenotypes, genotypes);
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  const outcome::Program& program = outcome::programs::traitsim;
  // Seeding comes first of all, so that the deviates depend on nothing but the clock second.
  ranlux::rndseed();
  // Every fatal stop also leaves its message in the file "err".
  records::on_stop(write_err_file);
  records::name_program(program.name);
  Options names;
  if (auto ended = parse(argc, argv, names)) return outcome::finish(program, ended);
  model_name = names.model;
  records::on_implied_decimals(warn_implied_decimals);
  records::on_read_fault(explain_model_fault);
  // Both inputs are read whole before the phenotype file is opened, so writing over one works;
  // but it is most likely a slip.
  if (const std::string replaced = files::replaced_input_warning(
          "traitsim", std::string(names.phenotypes), {std::string(names.qtl), std::string(names.model)});
      !replaced.empty())
    std::fprintf(stderr, "%s\n", replaced.c_str());
  return outcome::finish(program, run(names));
}
