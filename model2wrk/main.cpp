// model2wrk TABLE MODEL
//
// Turns a trait model written as a tab-separated table into the fixed-column model file that
// traitsim reads, with every value's decimal point written out, so that nothing is read with
// the layout's implied decimals:
//
//   read TABLE -> check what the model file and traitsim cannot hold -> write MODEL
//
// Everything is read and checked before the output is opened, so a refused table leaves an
// existing model file untouched. Exit status 0 when the file is written, 1 otherwise, with
// every problem of the table on standard output; warnings go to standard error.
#include <string>
#include <vector>

#include "common/files/same_file.hpp"
#include "common/files/whole_file.hpp"
#include "common/files/write_failure.hpp"
#include "common/outcome/finish.hpp"
#include "model2wrk/command_line.hpp"
#include "model2wrk/model_file.hpp"
#include "model2wrk/model_table.hpp"

namespace {

using namespace model2wrk;

const outcome::Program& program = outcome::programs::model2wrk;

outcome::Outcome run(const Options& options) {
  if (files::same_file(options.table.c_str(), options.model.c_str()))
    return outcome::stop("the model file " + options.model + " would replace the model table");
  std::string text;
  if (!files::read_file(options.table, text)) return outcome::stop("cannot read " + options.table);
  ModelTable table;
  std::vector<std::string> warnings;
  const outcome::Outcome refused = read_model_table(text, options.table, table, warnings);
  for (const std::string& warning : warnings) outcome::warn(program, warning);
  // The reader's refusal names model2wrk already.
  if (refused) return outcome::whole(refused);
  int error = 0;
  if (!files::write_file(options.model, model_text(table, options.table), &error))
    return outcome::stop(files::cannot_write("", options.model, error));
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) { return outcome::finish<Options>(program, argc, argv, parse, run); }
