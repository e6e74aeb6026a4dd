#include "common/freeform/join_run.hpp"

#include <cstdio>
#include <utility>

#include "common/files/same_file.hpp"
#include "common/files/write_failure.hpp"

namespace freeform {

namespace {

// Closes the inputs on every way out of the run.
struct Inputs {
  std::FILE* first = nullptr;
  std::FILE* second = nullptr;
  ~Inputs() {
    if (second != nullptr) std::fclose(second);
    if (first != nullptr) std::fclose(first);
  }
};

}  // namespace

int run_join(const char* program, const char* first_name, const char* second_name,
             const char* out_name, const char* open_failure, const Join& join) {
  Inputs inputs;
  inputs.first = std::fopen(first_name, "r");
  if (inputs.first == nullptr) {
    std::printf(open_failure, first_name);
    return 1;
  }
  inputs.second = std::fopen(second_name, "r");
  if (inputs.second == nullptr) {
    std::printf(open_failure, second_name);
    return 1;
  }
  for (const auto& [input, input_name] : {std::pair{inputs.first, first_name},
                                          std::pair{inputs.second, second_name}}) {
    if (files::is_open_file(out_name, input)) {
      std::printf("%s is the input file %s: give the output another name\n", out_name, input_name);
      return 1;
    }
  }
  files::OutputFile out;
  if (!out.open(out_name)) {
    std::printf(open_failure, out_name);
    return 1;
  }

  ItemStream first_items(inputs.first);
  ItemStream second_items(inputs.second);
  const outcome::Outcome problem = join(first_items, second_items, out);
  if (problem) {
    out.discard();
    std::printf("%s\n%s is not written\n", problem->text.c_str(), out_name);
    return 1;
  }
  if (!out.close()) {
    out.discard();
    std::printf("%s\n", files::cannot_write(program, out_name, out.error()).c_str());
    return 1;
  }
  return 0;
}

}  // namespace freeform
