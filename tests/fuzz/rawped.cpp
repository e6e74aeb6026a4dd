// The raw pedigree reader: the descriptive line, the count line, then record lines to the end
// of the file, with the message of every failure; then the same file as xp-fam reads it, each
// record written as soon as it is read.
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/files/output_file.hpp"
#include "common/rawped/reader.hpp"
#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"
#include "xp-fam/convert.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name = fuzz::write_scratch("pe0.wrk", fuzz::as_text(data, size));
  std::FILE* in = std::fopen(name.c_str(), "r");
  fuzz::expect(in != nullptr, "cannot open the scratch file");
  rawped::RawReader reader(in);
  rawped::ReadStatus status = reader.skip_lines(1);
  std::int32_t numax = 0;
  if (status == rawped::ReadStatus::ok) status = reader.read_count(numax);
  if (status == rawped::ReadStatus::ok) (void)rawped::no_memory_message(numax);
  // Every line of the file is one read at most, and each read takes at least one character,
  // so the loop ends with the file.
  std::size_t reads = 0;
  while (status == rawped::ReadStatus::ok) {
    rawped::PedRecord record{};
    status = reader.read_record(record);
    fuzz::expect(++reads <= size + 1, "more record reads than the file has characters");
    fuzz::expect(record.label[rawped::label_chars] == '\0', "a label without its end");
  }
  fuzz::expect(reader.line() >= 0, "a negative line number");
  // The end of the file ends the records of xp-fam and famorder too: every status has its text.
  fuzz::expect(!rawped::failure_text(status, name, reader.line()).empty(),
               "a failed read without a message");
  std::fclose(in);

  in = std::fopen(name.c_str(), "r");
  fuzz::expect(in != nullptr, "cannot open the scratch file");
  {
    files::OutputFile out;
    fuzz::expect(out.open("/dev/null"), "cannot open /dev/null");
    rawped::RawReader again(in);
    if (again.skip_lines(1) == rawped::ReadStatus::ok) {
      const outcome::Outcome converted = xpfam::convert_records(again, out, name, "/dev/null");
      fuzz::expect(!converted || !converted->text.empty(), "a failed conversion without a message");
      fuzz::expect(!converted || converted->text.find("/dev/null") == std::string::npos,
                   "writing to /dev/null failed");
    }
    fuzz::expect(out.close(), "writing to /dev/null failed");
  }
  std::fclose(in);
  return 0;
}
