// The trace and phenotype files are read here rather than through the record layer: a fault in
// one of them is what simcheck looks for, so it must come back as a refusal naming the line,
// not end the run with the layer's diagnostic.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <fstream>
#include <string>

#include "simcheck/line_reader.hpp"
#include "simcheck/simulation.hpp"

namespace simcheck {
namespace {

// The field of `width` columns from column `first` (1-based); columns past the end of the
// line are blank, as the files' writers leave them.
std::string_view field(const std::string& line, std::size_t first, std::size_t width) {
  if (first - 1 >= line.size()) return {};
  return std::string_view(line).substr(first - 1, width);
}

std::string_view trimmed(std::string_view text) {
  const std::size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  return text.substr(b, text.find_last_not_of(' ') + 1 - b);
}

// An integer field: blanks around an optional sign and digits; a blank field is 0, as the
// suite's readers take it.
bool integer_field(std::string_view text, std::int32_t& value) {
  text = trimmed(text);
  value = 0;
  if (text.empty()) return true;
  if (text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool real_field(std::string_view text, double& value) {
  text = trimmed(text);
  value = 0;
  if (text.empty()) return true;
  if (text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

std::size_t longest_genotype_line(std::int32_t loci) {
  return std::max(genotype_line, genotype_columns * static_cast<std::size_t>(std::max(loci, 0)));
}

std::size_t longest_trace_line(std::int32_t loci) {
  return std::max(trace_line, trace_start + trace_columns * static_cast<std::size_t>(std::max(loci, 0)));
}

std::string trace_mismatch(const std::string& trace_file, const std::string& genotype_file) {
  return "the trace file " + trace_file + " does not belong to the genotype file " + genotype_file + ": ";
}

// genodrop writes its trace under one name in the folder it runs in, whatever the genotype
// file is called: a trace of another run is the likely cause of a trace that does not fit.
const char* trace_advice() {
  return "; genodrop writes gntp.wrk_tmp in the folder it runs in, whatever the genotype file is called: name the "
         "trace of this genotype file with --trace";
}

namespace {

// The alleles line of record `row`, side `side`: at column 28 on, six columns a locus, as many
// as the genotype file has loci; the first line also holds the record's identifier.
outcome::Outcome read_trace_alleles(const LineReader& file, const std::string& other, std::int32_t row, int side,
                                    Trace& trace) {
  const std::size_t end = file.line.find_last_not_of(' ') + 1;
  const std::int64_t fields = end <= trace_start ? 0 : static_cast<std::int64_t>((end - trace_start + 5) / 6);
  if (fields != trace.loci)
    return outcome::stop(other + "line " + std::to_string(file.number) + " holds alleles of " + std::to_string(fields) +
                         " loci, the genotype file " + std::to_string(trace.loci) + trace_advice());
  if (side == 0) {
    trace.ids[static_cast<std::size_t>(row)] = std::string(field(file.line, 16, 12));
    trace.ids[static_cast<std::size_t>(row)].resize(12, ' ');
  }
  for (std::int32_t j = 0; j < trace.loci; ++j) {
    std::int32_t allele = 0;
    if (!integer_field(field(file.line, trace_start + 1 + trace_columns * static_cast<std::size_t>(j), 6), allele))
      return outcome::stop(file.where() + ": the allele of locus " + std::to_string(j + 1) + " is not a number");
    trace.alleles[(static_cast<std::size_t>(row) * static_cast<std::size_t>(trace.loci) + static_cast<std::size_t>(j)) * 2 +
              static_cast<std::size_t>(side)] = allele;
  }
  return std::nullopt;
}

// The deviates line of record `row`, side `side`, in the same columns.
outcome::Outcome read_trace_deviates(const LineReader& file, std::int32_t row, int side, Trace& trace) {
  for (std::int32_t j = 0; j < trace.loci; ++j) {
    double deviate = 0;
    if (!real_field(field(file.line, trace_start + 1 + trace_columns * static_cast<std::size_t>(j), 6), deviate) ||
        deviate < 0 || deviate > 1)
      return outcome::stop(file.where() + ": the deviate of locus " + std::to_string(j + 1) +
                           " is not a number between 0 and 1");
    trace.deviates[(static_cast<std::size_t>(row) * static_cast<std::size_t>(trace.loci) + static_cast<std::size_t>(j)) * 2 +
               static_cast<std::size_t>(side)] = deviate;
  }
  return std::nullopt;
}

}  // namespace

outcome::Outcome read_trace(const std::string& path, const std::string& genotype_file, std::int32_t individuals,
                            std::int32_t loci, Trace& trace) {
  LineReader file(path, longest_trace_line(loci), "trace file");
  if (!file.in) return outcome::stop("cannot read the trace file " + path);
  const std::string other = trace_mismatch(path, genotype_file);
  const std::size_t cells = static_cast<std::size_t>(individuals) * static_cast<std::size_t>(loci) * 2;
  trace.loci = loci;
  trace.deviates.assign(cells, 0.0);
  trace.alleles.assign(cells, 0);
  trace.ids.assign(static_cast<std::size_t>(individuals), std::string());
  // Four lines a record: alleles and deviates of the paternal side, then of the maternal.
  for (std::int32_t row = 0; row < individuals; ++row)
    for (int line = 0; line < 4; ++line) {
      if (!file.next())
        return file.ended(other + "it ends at record " + std::to_string(row + 1) + ", the genotype file holds " +
                       std::to_string(individuals) + " individuals" + trace_advice());
      const outcome::Outcome problem = line % 2 == 0 ? read_trace_alleles(file, other, row, line / 2, trace)
                                                     : read_trace_deviates(file, row, line / 2, trace);
      if (problem) return problem;
    }
  if (file.next() && !trimmed(file.line).empty())
    return outcome::stop(other + "it goes on after the " + std::to_string(individuals) +
                         " individuals of the genotype file" + trace_advice());
  if (file.too_long) return file.ended("");
  trace.present = true;
  return std::nullopt;
}

outcome::Outcome read_phenotypes(const std::string& path, Phenotypes& phenotypes) {
  LineReader file(path, phenotype_line, "phenotype file");
  if (!file.in) return outcome::stop("cannot read the phenotype file " + path);
  std::int32_t n = 0;
  const std::string no_count =
      file.path + " line 1: no count of individuals (0 to " + std::to_string(max_individuals) + ") in columns 1-5";
  if (!file.next()) return file.ended(no_count);
  if (!integer_field(field(file.line, 1, 5), n) || n < 0 || n > max_individuals) return outcome::stop(no_count);
  phenotypes.values.assign(static_cast<std::size_t>(n), 0.0);
  for (std::int32_t i = 0; i < n; ++i) {
    if (!file.next()) return file.ended(file.path + ": the file ends after " + std::to_string(i) + " of " +
                                  std::to_string(n) + " phenotypes");
    if (!real_field(field(file.line, 1, 9), phenotypes.values[static_cast<std::size_t>(i)]))
      return outcome::stop(file.where() + ": the phenotype in columns 1-9 is not a number" +
                           (file.line.find('*') != std::string::npos ? " (traitsim writes asterisks for a value too wide for its field)" : ""));
  }
  phenotypes.present = true;
  return std::nullopt;
}

}  // namespace simcheck
