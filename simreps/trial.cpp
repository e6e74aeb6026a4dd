#include "simreps/trial.hpp"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "simreps/chain_steps.hpp"

namespace fs = std::filesystem;

namespace simreps {
namespace {

// Removes the trial folders (named `prefix` and a process id) of runs on this host that were
// killed during their trial of the chain.
void remove_lost_work(const std::string& prefix) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(".", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    const std::string pid = name.substr(prefix.size());
    if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    if (::kill(static_cast<pid_t>(std::stol(pid)), 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), error);
  }
}

// A line the chain printed, as one warning line that starts with the program's name: the
// programs' own warnings already do; notices of the old kind start with a blank.
std::string warning_line(const std::string& program, const std::string& line) {
  if (line.rfind(program + ":", 0) == 0) return line;
  return program + ":" + (line.empty() || line[0] == ' ' ? "" : " ") + line;
}

}  // namespace

Trial::Trial() {
  char host[256] = "host";
  ::gethostname(host, sizeof host - 1);
  const std::string prefix = ".work." + std::string(host) + ".";
  remove_lost_work(prefix);
  folder_ = prefix + std::to_string(::getpid());
}

Trial::~Trial() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

outcome::Outcome Trial::run(const std::string& bin, const std::vector<std::string>& inputs,
                            const std::vector<std::optional<std::string>>& texts, std::vector<std::string>& warnings) {
  std::error_code error;
  fs::create_directory(folder_, error);
  if (error) return outcome::stop("cannot create " + folder_ + ": " + error.message());
  const std::size_t chromosomes = inputs.size() - 2;
  std::vector<std::string> copies{"pe0.wrk"};
  for (std::size_t k = 1; k <= chromosomes; ++k) copies.push_back(chromosome_file("chromosome", k, chromosomes, ".wrk"));
  copies.push_back("model.wrk");
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (i < texts.size() && texts[i]) {
      std::ofstream out(folder_ + "/" + copies[i], std::ios::binary | std::ios::trunc);
      out << *texts[i];
      out.close();
      if (!out) return outcome::stop("cannot write " + folder_ + "/" + copies[i]);
      continue;
    }
    fs::copy_file(inputs[i], folder_ + "/" + copies[i], error);
    if (error) return outcome::stop("cannot copy " + inputs[i] + ": " + error.message());
  }
  std::string notes;
  if (auto refusal = run_chain_once(bin, folder_, notes, chromosomes)) return refusal;
  std::istringstream lines(notes);
  for (std::string line; std::getline(lines, line);) {
    const auto colon = line.find(':');
    warnings.push_back(warning_line(line.substr(0, colon), line.substr(colon + 1)));
  }
  return std::nullopt;
}

outcome::Outcome Trial::keep(const std::vector<std::string>& files) {
  for (const std::string& kept : files) {
    std::error_code error;
    fs::rename(folder_ + "/" + kept, kept, error);
    if (error) return outcome::stop("cannot move " + kept + " into the study: " + error.message());
  }
  return std::nullopt;
}

outcome::Outcome Trial::keep_relabelled(const std::string& file, const std::string& kept,
                                        const std::string& first_line) {
  std::ifstream in(folder_ + "/" + file, std::ios::binary);
  std::string line, text = first_line + "\n";
  if (!in || !std::getline(in, line)) return outcome::stop("cannot read " + file + " of the chain's trial");
  text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  const std::string partial = folder_ + "/" + kept + ".relabelled";
  std::ofstream out(partial, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) return outcome::stop("cannot write " + partial);
  std::error_code error;
  fs::rename(partial, kept, error);
  if (error) return outcome::stop("cannot move " + kept + " into the study: " + error.message());
  return std::nullopt;
}

}  // namespace simreps
