#include "simreps/study.hpp"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "simreps/durable.hpp"

namespace simreps {
namespace {

// The record's key of input i of `count`: a study of one chromosome keys it "chromosome", as
// it always did; one of several "chromosome.1", "chromosome.2" ...
std::string input_key(std::size_t i, std::size_t count) {
  if (i == 0) return "raw_pedigree";
  if (i + 1 == count) return "model";
  return count == 3 ? std::string("chromosome") : "chromosome." + std::to_string(i);
}

std::string input_word(std::size_t i, std::size_t count) {
  if (i == 0) return "raw pedigree";
  if (i + 1 == count) return "model";
  return count == 3 ? std::string("chromosome file") : "chromosome file " + std::to_string(i);
}

// The position of `key` among the inputs: 0 the raw pedigree, then the chromosome files
// (1..), and -1 the model; -2 for another key.
long input_position(const std::string& key) {
  if (key == "raw_pedigree") return 0;
  if (key == "chromosome") return 1;
  if (key == "model") return -1;
  if (key.rfind("chromosome.", 0) == 0) {
    const std::string number = key.substr(11);
    if (!number.empty() && number.size() < 6 && number.find_first_not_of("0123456789") == std::string::npos &&
        std::stol(number) >= 1)
      return std::stol(number);
  }
  return -2;
}

std::vector<std::string> split_tabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  return fields;
}

std::string cksum_text(const Checksum& sum) {
  return std::to_string(sum.crc) + " " + std::to_string(sum.bytes);
}

// The rows of the record that name the inputs, by their kind.
struct InputRows {
  // The chromosome files by their position; the raw pedigree and the model apart.
  std::vector<std::pair<long, std::vector<std::string>>> chromosomes;
  std::vector<std::string> pedigree, model;
};

// Takes a row of settings into `study`; returns 1 for the two every record must have (program,
// first_seed), else 0. Throws where a number does not read.
int read_setting(const std::vector<std::string>& fields, Study& study) {
  if (fields[0] == "program") {
    study.program = fields[1];
    return 1;
  }
  if (fields[0] == "first_seed") {
    study.first_seed = static_cast<std::int32_t>(std::stol(fields[1]));
    return 1;
  }
  if (fields[0] == "formats") {
    study.formats = fields[1];
  } else if (fields[0] == "bp_per_cm") {
    study.bp_per_cm = std::stoll(fields[1]);
  } else if (fields[0] == "chromosome_names") {
    study.chromosome_names = fields[1];
  } else if (fields[0] == "ids") {
    study.ids = fields[1];
  }
  return 0;
}

// Puts the inputs' checksums and paths into `study` when each input is there once and the
// chromosome files are numbered 1, 2, ... (or the one "chromosome"); false otherwise. Throws
// where a number does not read.
bool take_inputs(const InputRows& input, Study& study) {
  bool whole = !input.pedigree.empty() && !input.model.empty() && !input.chromosomes.empty();
  for (std::size_t k = 0; whole && k < input.chromosomes.size(); ++k)
    whole = input.chromosomes[k].first == static_cast<long>(k + 1) &&
            (input.chromosomes.size() > 1) == (input.chromosomes[k].second[0] != "chromosome");
  if (!whole) return false;
  std::vector<std::vector<std::string>> rows{input.pedigree};
  for (const auto& row : input.chromosomes) rows.push_back(row.second);
  rows.push_back(input.model);
  study.inputs.assign(rows.size(), Checksum{});
  study.paths.assign(rows.size(), std::string());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    study.inputs[i].crc = static_cast<std::uint32_t>(std::stoul(rows[i][1]));
    study.inputs[i].bytes = std::stoull(rows[i][2]);
    study.paths[i] = rows[i][3];
  }
  return true;
}

}  // namespace

outcome::Outcome read_study(std::optional<Study>& recorded) {
  recorded.reset();
  std::ifstream in(study_record);
  if (!in) return std::nullopt;
  Study& study = recorded.emplace();
  int found = 0;
  InputRows input;
  std::string line;
  try {
    while (std::getline(in, line)) {
      const auto fields = split_tabs(line);
      if (fields.size() < 2) continue;
      found += read_setting(fields, study);
      const long position = input_position(fields[0]);
      if (position == -2 || fields.size() < 4) continue;
      // An input twice makes the record unreadable, as it always did.
      if ((position == 0 && !input.pedigree.empty()) || (position == -1 && !input.model.empty()))
        found = -10;
      if (position == 0) input.pedigree = fields;
      else if (position == -1) input.model = fields;
      else input.chromosomes.emplace_back(position, fields);
    }
    if (take_inputs(input, study)) found += 3;
  } catch (const std::exception&) {
    found = -1;
  }
  if (found != 5) return outcome::stop(std::string(study_record) + " is not a study record of simreps");
  return std::nullopt;
}

outcome::Outcome write_study(const Study& study) {
  std::ostringstream out;
  out << "item\tvalue\tbytes\tfile\n";
  out << "program\t" << study.program << "\n";
  out << "first_seed\t" << study.first_seed << "\n";
  for (std::size_t i = 0; i < study.inputs.size(); ++i)
    out << input_key(i, study.inputs.size()) << '\t' << study.inputs[i].crc << '\t' << study.inputs[i].bytes << '\t'
        << study.paths[i] << "\n";
  if (study.formats != "solar") out << "formats\t" << study.formats << "\n";
  if (study.bp_per_cm != 0) out << "bp_per_cm\t" << study.bp_per_cm << "\n";
  if (!study.chromosome_names.empty()) out << "chromosome_names\t" << study.chromosome_names << "\n";
  if (!study.ids.empty()) out << "ids\t" << study.ids << "\n";
  return write_durably(".", study_record, out.str());
}

std::string difference(const Study& recorded, const Study& now) {
  if (recorded.program != now.program)
    return "it was made by " + recorded.program + ", this is " + now.program;
  if (recorded.first_seed != now.first_seed)
    return "its first seed is " + std::to_string(recorded.first_seed) + ", not " +
           std::to_string(now.first_seed);
  if (recorded.inputs.size() != now.inputs.size())
    return "it has " + std::to_string(recorded.inputs.size() - 2) + " chromosome files, not " +
           std::to_string(now.inputs.size() - 2);
  for (std::size_t i = 0; i < recorded.inputs.size(); ++i) {
    const Checksum& a = recorded.inputs[i];
    const Checksum& b = now.inputs[i];
    if (a.crc != b.crc || a.bytes != b.bytes)
      return "its " + input_word(i, recorded.inputs.size()) + " was " + recorded.paths[i] + " (cksum " +
             cksum_text(a) + "), not " + now.paths[i] + " (cksum " + cksum_text(b) + ")";
  }
  if (recorded.formats != now.formats)
    return "its replicates are in the formats " + recorded.formats + ", not " + now.formats +
           " (--formats)";
  if (recorded.bp_per_cm != now.bp_per_cm)
    return "its markers lie at " + std::to_string(recorded.bp_per_cm) + " bp per cM, not " +
           std::to_string(now.bp_per_cm) + " (--bp-per-cm)";
  if (recorded.chromosome_names != now.chromosome_names)
    return "its chromosomes are named " + (recorded.chromosome_names.empty() ? "1, 2, ..." : recorded.chromosome_names) +
           ", not " + (now.chromosome_names.empty() ? "1, 2, ..." : now.chromosome_names) + " (--chromosome-names)";
  if (recorded.ids != now.ids)
    return std::string("its individuals are named by ") +
           (recorded.ids == "suite" ? "fam2raw's numbers (--suite-ids)" : "the .fam's family and id") +
           ", not by " + (now.ids == "suite" ? "fam2raw's numbers (--suite-ids)" : "the .fam's family and id");
  return {};
}

}  // namespace simreps
