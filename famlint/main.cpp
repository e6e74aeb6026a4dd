// famlint: checks a numbered pedigree and stops at the first error, with a message; a file
// that passes gives no output. It changes no file.
//
// Exit status: 0 when the file passes (race notices alone included) and after the usage text;
// 1 when an error is reported, when the report cannot be written (said on standard error) or
// when the file name is longer than 255 characters. A record that cannot be read ends the run
// through the record layer's diagnostic and the abort signal.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

#include "common/files/write_failure.hpp"
#include "common/outcome/outcome.hpp"
#include "common/records/file_name.hpp"
#include "famlint/beyond_table.hpp"
#include "famlint/family_checks.hpp"
#include "famlint/family_index.hpp"
#include "famlint/pedigree_table.hpp"
#include "famlint/read_pedigree.hpp"
#include "famlint/record_checks.hpp"
#include "famlint/report.hpp"

int main(int argc, char** argv) {
  using namespace famlint;
  if (argc < 2) {
    print_usage();
    return 0;
  }
  // A cut name would open, and a missing file is created, under a name the user never gave.
  const std::string_view file_name = argv[1];
  records::FileName checked;
  if (const outcome::Outcome refused = records::take_file_name(file_name, 1, checked)) {
    records::message({refused->text});
    return 1;
  }

  // Over half a megabyte: filled once, on the heap rather than the stack.
  auto data = std::make_unique<Data>();
  std::int32_t ndat = 0;
  FamilyIndex buf1;

  outcome::Outcome error = read_pedigree(file_name, *data, ndat, print_race_notice);
  if (!error) error = check_sequence(*data, ndat);
  if (!error) error = testsex(*data, ndat, buf1, file_name);
  if (error) {
    // The record layer's messages go through C stdio too, so the order of lines is kept.
    std::fwrite(error->text.data(), 1, error->text.size(), stdout);
    if (const std::string note = beyond_table_note(*error, file_name, *data, ndat); !note.empty())
      std::fprintf(stderr, "%s\n", note.c_str());
  }
  // The report is famlint's one output: one sent to a full disk is lost, and standard error
  // is where that can still be said.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    const int reason = errno;
    std::fprintf(stderr, "%s\n", files::cannot_write("famlint", "standard output", reason).c_str());
    return 1;
  }
  return error ? 1 : 0;
}
