#include "common/records/diagnostic.hpp"

#include <cstdio>
#include <string>

#include "common/records/file.hpp"
#include "common/records/read_notes.hpp"
#include "common/records/run_end.hpp"

namespace records {

void fail(std::string_view step, std::string_view reason, int unit, std::string_view name,
          std::string_view layout, Mode mode) {
  // A fault met while closing files for an earlier fault must not start the diagnostic over.
  static bool failing = false;
  if (!failing) {
    failing = true;
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
    close_all();
    std::fflush(stdout);
  }
  end_by_abort();
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
