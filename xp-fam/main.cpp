// xp-fam: converts a raw pedigree into SOLAR's comma-separated pedigree file.
//
//   open input -> open output -> skip the descriptive line -> header -> convert_records
//
// The output is written as the input is read, so a refused input leaves the header and the
// records before the failing one. Exit status 0 when every record is written, 1 otherwise.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "convert.hpp"
#include "missing_id.hpp"
#include "numbered_input.hpp"
#include "reader.hpp"

namespace {

const char* usage() {
  return "USAGE: xp-fam pedigree outfile\n"
         "       pedigree  --- input pedigree file (before \"famorder\")\n"
         "       outfile --- output pedigree file in SOLAR format\n";
}

// Opening the output empties it, so naming the input file again would destroy the raw
// pedigree before a line of it is read.
bool same_file(std::FILE* in, const std::string& outfile) {
  struct stat a{}, b{};
  return fstat(fileno(in), &a) == 0 && stat(outfile.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

int finish(std::FILE* out, int status, const std::string& text) {
  std::fputs(text.c_str(), stdout);
  if (out != nullptr && std::fclose(out) != 0) status = 1;
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return finish(nullptr, 1, usage());
  const std::string infile = argv[1];
  const std::string outfile = argv[2];

  std::FILE* in = rawped::open_input(infile);
  if (in == nullptr) return finish(nullptr, 1, "cannot open input data file '" + infile + "'\n");
  if (same_file(in, outfile)) {
    return finish(nullptr, 1, "output file '" + outfile +
                                  "' is the input file; nothing written\n");
  }
  if (xpfam::looks_numbered(infile)) {
    std::fprintf(stderr,
                 "xp-fam: %s looks like a numbered pedigree (written by famorder); xp-fam "
                 "reads the raw pedigree that famorder reads\n",
                 infile.c_str());
  }
  std::FILE* out = std::fopen(outfile.c_str(), "w");
  if (out == nullptr) return finish(nullptr, 1, "cannot open output data file '" + outfile + "'\n");

  rawped::RawReader reader(in);
  if (auto s = reader.skip_lines(1); s != rawped::ReadStatus::ok) {
    return finish(out, 1, rawped::message(s));
  }
  std::fputs("id,fa,mo,sex\n", out);
  const xpfam::ConvertOutcome result = xpfam::convert_records(reader, out);
  std::fclose(in);
  switch (result.kind) {
    case xpfam::ConvertOutcome::Kind::ok: break;
    case xpfam::ConvertOutcome::Kind::read_failed:
      return finish(out, 1, rawped::failure_text(result.status, infile, result.line));
    case xpfam::ConvertOutcome::Kind::no_memory:
      return finish(out, 1, rawped::no_memory_message(result.numax));
    case xpfam::ConvertOutcome::Kind::name_twice:
      return finish(out, 1,
                    rawped::name_twice_message(infile, result.name, result.earlier_line, result.line));
    case xpfam::ConvertOutcome::Kind::write_failed:
      return finish(out, 1, "error writing output data file '" + outfile + "'\n");
  }
  if (std::ferror(out) != 0 || std::fclose(out) != 0) {
    return finish(nullptr, 1, "error writing output data file '" + outfile + "'\n");
  }
  return 0;
}
