// famlint: checks a numbered pedigree and stops at the first error, with a message; a file
// that passes gives no output. It changes no file.
//
//   read_pedigree (each record checked as read) -> check_sequence -> crtins, testsex
//
// Exit status: 0 when the file passes (race notices alone included) and after the usage text;
// 1 when an error is reported, when the report cannot be written (said on standard error) or
// when the file name is longer than 255 characters. A record that cannot be read ends the run
// through the record layer's diagnostic and the abort signal.
#include <cstdint>
#include <cstdio>
#include <memory>

#include "common/outcome/finish.hpp"
#include "famlint/beyond_table.hpp"
#include "famlint/command_line.hpp"
#include "famlint/family_checks.hpp"
#include "famlint/family_index.hpp"
#include "famlint/pedigree_table.hpp"
#include "famlint/read_pedigree.hpp"
#include "famlint/record_checks.hpp"
#include "famlint/report.hpp"

namespace {

// The checks, first error first; its message is the report, printed as it stands.
outcome::Outcome check(std::string_view file_name) {
  using namespace famlint;
  // Over half a megabyte: filled once, on the heap rather than the stack.
  auto data = std::make_unique<Data>();
  std::int32_t ndat = 0;
  FamilyIndex buf1;
  outcome::Outcome error = read_pedigree(file_name, *data, ndat, print_race_notice);
  if (!error) error = check_sequence(*data, ndat);
  if (!error) error = testsex(*data, ndat, buf1, file_name);
  if (error)
    if (const std::string note = beyond_table_note(*error, file_name, *data, ndat); !note.empty())
      std::fprintf(stderr, "%s\n", note.c_str());  // the note names famlint itself
  return outcome::whole(std::move(error));
}

}  // namespace

int main(int argc, char** argv) {
  const outcome::Program& program = outcome::programs::famlint;
  famlint::Options options;
  if (auto ended = famlint::parse(argc, argv, options)) return outcome::finish(program, ended);
  return outcome::finish(program, check(options.pedigree));
}
