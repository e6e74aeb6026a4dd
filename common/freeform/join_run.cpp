#include "common/freeform/join_run.hpp"

#include <cstdio>
#include <string>
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

// `layout` with its one %s replaced by `name`, as printf would print it.
std::string formatted(const char* layout, const char* name) {
  const int size = std::snprintf(nullptr, 0, layout, name);
  std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  std::snprintf(text.data(), text.size() + 1, layout, name);
  return text;
}

}  // namespace

outcome::Outcome run_join(std::string_view program, const char* first_name, const char* second_name,
                          const char* out_name, const char* open_failure, const Join& join) {
  Inputs inputs;
  inputs.first = std::fopen(first_name, "r");
  if (inputs.first == nullptr) return outcome::whole(formatted(open_failure, first_name));
  inputs.second = std::fopen(second_name, "r");
  if (inputs.second == nullptr) return outcome::whole(formatted(open_failure, second_name));
  for (const auto& [input, input_name] : {std::pair{inputs.first, first_name},
                                          std::pair{inputs.second, second_name}}) {
    if (files::is_open_file(out_name, input))
      return outcome::whole(std::string(out_name) + " is the input file " + input_name +
                            ": give the output another name\n");
  }
  files::OutputFile out;
  if (!out.open(out_name)) return outcome::whole(formatted(open_failure, out_name));

  ItemStream first_items(inputs.first);
  ItemStream second_items(inputs.second);
  if (const outcome::Outcome problem = join(first_items, second_items, out)) {
    out.discard();
    // Up to any NUL byte a read item may have put in it, as the rest of the text is printed.
    return outcome::whole(problem->text.c_str() + ("\n" + std::string(out_name)) + " is not written\n");
  }
  if (!out.close()) {
    out.discard();
    return outcome::whole(files::cannot_write(program, out_name, out.error()) + "\n");
  }
  return std::nullopt;
}

}  // namespace freeform
