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
#include <cstdio>
#include <string>
#include <vector>

#include "common/files/same_file.hpp"
#include "common/files/whole_file.hpp"
#include "common/files/write_failure.hpp"
#include "common/outcome/outcome.hpp"
#include "model2wrk/command_line.hpp"
#include "model2wrk/model_file.hpp"
#include "model2wrk/model_table.hpp"

int main(int argc, char** argv) {
  using namespace model2wrk;
  using outcome::refuse_line;
  Options options;
  if (!parse_command_line(argc, argv, options)) return outcome::refuse(usage());
  if (files::same_file(options.table.c_str(), options.model.c_str()))
    return refuse_line("model2wrk: the model file " + options.model + " would replace the model table");

  std::string text;
  if (!files::read_file(options.table, text)) return refuse_line("model2wrk: cannot read " + options.table);
  ModelTable table;
  std::vector<std::string> warnings;
  const outcome::Outcome refused = read_model_table(text, options.table, table, warnings);
  for (const std::string& warning : warnings) std::fprintf(stderr, "model2wrk: %s\n", warning.c_str());
  if (refused) return refuse_line(refused->text);

  int error = 0;
  if (!files::write_file(options.model, model_text(table, options.table), &error))
    return refuse_line(files::cannot_write("model2wrk", options.model, error));
  return 0;
}
