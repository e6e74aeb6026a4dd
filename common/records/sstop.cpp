#include "common/records/sstop.hpp"

#include <cstdio>
#include <string>

#include "common/records/run_end.hpp"

namespace records {

namespace {

StopRecord stop_record = nullptr;
std::string_view program;

}  // namespace

void on_stop(StopRecord record) { stop_record = record; }

void name_program(std::string_view name) { program = name; }

std::string_view program_name() { return program; }

void sstop(std::string_view text) {
  message({text});
  close_all();
  std::fflush(stdout);
  if (stop_record != nullptr) stop_record(text);
  end_with_status(1);
}

Text<255> compose(std::string_view prefix, std::string_view name) {
  std::string text(prefix);
  text.append(name);
  return Text<255>(text);
}

}  // namespace records
