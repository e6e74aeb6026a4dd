#include "common/records/diagnostic.hpp"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/files/write_failure.hpp"
#include "common/records/file.hpp"
#include "common/records/read_notes.hpp"
#include "common/records/run_end.hpp"
#include "common/records/sstop.hpp"

namespace records {

namespace {

void print_diagnostic(std::string_view step, std::string_view reason, int unit,
                      std::string_view name, std::string_view layout, Mode mode) {
  std::string text;
  text.append(step).append(": ").append(reason).append("\n");
  text.append("apparent state: unit ").append(std::to_string(unit)).append(" ");
  if (name.empty()) {
    text.append("(unnamed)\n");
  } else {
    text.append("named ").append(name).append("\n");
  }
  while (!layout.empty() && layout.back() == ' ') layout.remove_suffix(1);
  text.append("last format: ").append(layout).append("\n");
  text.append("lately ").append(mode == Mode::read ? "reading" : "writing");
  text.append(" sequential formatted external IO\n");
  std::fflush(stdout);
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

void remove_written_files() {
  for (const std::string& name : written_files()) {
    struct stat st {};
    // A device such as /dev/full or /dev/null is no output to remove.
    if (::stat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode)) std::remove(name.c_str());
  }
}

}  // namespace

void fail(std::string_view step, std::string_view reason, int unit, std::string_view name,
          std::string_view layout, Mode mode) {
  // A fault met while closing files for an earlier fault must not start the diagnostic over.
  static bool failing = false;
  if (!failing) {
    failing = true;
    print_diagnostic(step, reason, unit, name, layout, mode);
    close_all();
    std::fflush(stdout);
  }
  end_by_abort();
}

void write_fault(std::string_view step, int error, int unit, std::string_view name,
                 std::string_view layout) {
  // Set while this end runs, so that a second fault (the stop record cannot be written
  // either) ends the run instead of starting over; reset on the way out for the builds that
  // turn the end of a run into an exception.
  static bool ending = false;
  struct Ending {
    Ending() { ending = true; }
    ~Ending() { ending = false; }
  };
  if (ending) {
    close_all();
    remove_written_files();
    end_with_status(1);
  }
  const Ending guard;
  std::string reason = "can't write file";
  if (error != 0) reason.append(" (").append(std::strerror(error)).append(")");
  print_diagnostic(step, reason, unit, name, layout, Mode::write);
  const std::string text = files::cannot_write(program_name(), name, error);
  close_all();
  remove_written_files();
  sstop(text);
}

void write_fault(const File& file, int error) {
  std::string step = "formatted write at line " + std::to_string(file.line_number());
  write_fault(step, error, file.unit(), file.name(), file.last_layout());
}

void fail(const File& file, std::string_view reason) {
  if (file.mode() == Mode::read && read_fault_note() != nullptr) {
    // Cleared first: a fault while the note runs must not call it again.
    const ReadFaultNote note = read_fault_note();
    on_read_fault(nullptr);
    note(ReadFault{file.name(), file.line_number(), file.line(), reason});
  }
  // The line number lets a user find the bad record without counting lines.
  std::string step = file.mode() == Mode::read ? "formatted read" : "formatted write";
  step.append(" at line ").append(std::to_string(file.line_number()));
  fail(step, reason, file.unit(), file.name(), file.last_layout(), file.mode());
}

}  // namespace records
