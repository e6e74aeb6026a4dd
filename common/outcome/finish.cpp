#include "common/outcome/finish.hpp"

#include <cerrno>
#include <cstdio>
#include <string>

#include "common/files/write_failure.hpp"
#include "common/records/sstop.hpp"

namespace outcome {

namespace {

// The report on standard output must have reached it: famlint's report sent to a full disk
// would be lost, and standard error is where that can still be said.
int checked_report(const Program& program, int status) {
  if (!program.report_checked) return status;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  const int reason = errno;
  std::fprintf(stderr, "%s\n", files::cannot_write(program.name, "standard output", reason).c_str());
  return 1;
}

void print(const Program& program, const std::string& text) {
  // The record layer's console messages go through C stdio too, so the order of lines is kept.
  std::fputs(text.c_str(), stdout);
  if (program.line_end) std::fputc('\n', stdout);
}

}  // namespace

int finish(const Program& program, const Outcome& result) {
  if (!result) return checked_report(program, 0);
  switch (result->shape) {
    case Shape::usage:
      // The usage text is no report.
      std::fputs(result->text.c_str(), stdout);
      return program.usage_status;
    case Shape::told:
      return checked_report(program, result->status);
    case Shape::whole:
      print(program, result->text);
      return checked_report(program, 1);
    case Shape::own:
      break;
  }
  const std::string text = program.named ? std::string(program.name) + ": " + result->text : result->text;
  if (program.refusal == Refusal::fatal_stop) records::sstop(text);
  print(program, text);
  return checked_report(program, 1);
}

void warn(const Program& program, std::string_view text) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(program.name.size()), program.name.data(),
               static_cast<int>(text.size()), text.data());
}

}  // namespace outcome
