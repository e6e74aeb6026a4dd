#include "simreps/study.hpp"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "simreps/durable.hpp"

namespace simreps {
namespace {

constexpr std::array<const char*, 3> input_keys = {"raw_pedigree", "chromosome", "model"};
constexpr std::array<const char*, 3> input_words = {"raw pedigree", "chromosome file", "model"};

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

}  // namespace

outcome::Outcome read_study(std::optional<Study>& recorded) {
  recorded.reset();
  std::ifstream in(study_record);
  if (!in) return std::nullopt;
  Study& study = recorded.emplace();
  int found = 0;
  std::string line;
  try {
    while (std::getline(in, line)) {
      const auto fields = split_tabs(line);
      if (fields.size() < 2) continue;
      if (fields[0] == "program") {
        study.program = fields[1];
        ++found;
      } else if (fields[0] == "first_seed") {
        study.first_seed = static_cast<std::int32_t>(std::stol(fields[1]));
        ++found;
      } else if (fields[0] == "formats") {
        study.formats = fields[1];
      } else if (fields[0] == "bp_per_cm") {
        study.bp_per_cm = std::stoll(fields[1]);
      }
      for (std::size_t i = 0; i < input_keys.size(); ++i) {
        if (fields[0] != input_keys[i] || fields.size() < 4) continue;
        study.inputs[i].crc = static_cast<std::uint32_t>(std::stoul(fields[1]));
        study.inputs[i].bytes = std::stoull(fields[2]);
        study.paths[i] = fields[3];
        ++found;
      }
    }
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
  for (std::size_t i = 0; i < input_keys.size(); ++i)
    out << input_keys[i] << '\t' << study.inputs[i].crc << '\t' << study.inputs[i].bytes << '\t'
        << study.paths[i] << "\n";
  if (study.formats != "solar") out << "formats\t" << study.formats << "\n";
  if (study.bp_per_cm != 0) out << "bp_per_cm\t" << study.bp_per_cm << "\n";
  return write_durably(".", study_record, out.str());
}

std::string difference(const Study& recorded, const Study& now) {
  if (recorded.program != now.program)
    return "it was made by " + recorded.program + ", this is " + now.program;
  if (recorded.first_seed != now.first_seed)
    return "its first seed is " + std::to_string(recorded.first_seed) + ", not " +
           std::to_string(now.first_seed);
  for (std::size_t i = 0; i < input_keys.size(); ++i) {
    const Checksum& a = recorded.inputs[i];
    const Checksum& b = now.inputs[i];
    if (a.crc != b.crc || a.bytes != b.bytes)
      return "its " + std::string(input_words[i]) + " was " + recorded.paths[i] + " (cksum " +
             cksum_text(a) + "), not " + now.paths[i] + " (cksum " + cksum_text(b) + ")";
  }
  if (recorded.formats != now.formats)
    return "its replicates are in the formats " + recorded.formats + ", not " + now.formats +
           " (--formats)";
  if (recorded.bp_per_cm != now.bp_per_cm)
    return "its markers lie at " + std::to_string(recorded.bp_per_cm) + " bp per cM, not " +
           std::to_string(now.bp_per_cm) + " (--bp-per-cm)";
  return {};
}

}  // namespace simreps
