#include "simreps/chain_steps.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "simreps/beyond_tables.hpp"
#include "simreps/qtl_file.hpp"

namespace simreps {

std::string own_folder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

outcome::Outcome run_step(const std::string& bin, const std::string& work, const std::string& program,
                          const std::vector<std::string>& arguments, std::string& output) {
  const std::string path = bin + "/" + program;
  // What the program prints comes back through a pipe, not a file in `work`: on a full disk
  // a file there would lose the very message that says the disk is full.
  int pipe_ends[2];
  if (::pipe2(pipe_ends, O_CLOEXEC) != 0)
    return outcome::stop(program + ": cannot start it: " + std::strerror(errno));
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) {
    const int error = errno;
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    return outcome::stop(program + ": cannot start it: " + std::strerror(error));
  }
  if (pid == 0) {
    ::dup2(pipe_ends[1], 1);
    ::dup2(pipe_ends[1], 2);
    if (::chdir(work.c_str()) != 0) {
      std::fprintf(stderr, "cannot enter %s: %s\n", work.c_str(), std::strerror(errno));
      _exit(127);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(path.c_str(), argv.data());
    std::fprintf(stderr, "cannot run %s: %s\n", path.c_str(), std::strerror(errno));
    _exit(127);
  }
  ::close(pipe_ends[1]);
  // Read to the end before waiting, so that a program that prints much never blocks on a
  // full pipe.
  output.clear();
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(pipe_ends[0], buffer, sizeof buffer);
    if (got > 0) {
      output.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(pipe_ends[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return std::nullopt;
  std::string how = WIFEXITED(status) ? "status " + std::to_string(WEXITSTATUS(status))
                                      : std::string("signal ") + strsignal(WTERMSIG(status));
  std::string refusal = program + " stopped (" + how + ")";
  if (!output.empty()) {
    refusal += ":\n" + output;
    if (refusal.back() == '\n') refusal.pop_back();
  }
  return outcome::stop(refusal);
}

std::string chromosome_file(const std::string& stem, std::size_t k, std::size_t count, const std::string& ending) {
  return count == 1 ? stem + ending : stem + "." + std::to_string(k) + ending;
}

outcome::Outcome run_chain_once(const std::string& bin, const std::string& work, std::string& notes,
                                std::size_t chromosomes) {
  struct Step {
    std::string program;
    std::vector<std::string> arguments;
  };
  std::vector<Step> steps;
  if (chromosomes == 1) {
    steps = {
        {"famorder", {"pe0.wrk", "pe2.wrk"}},
        {"famlint", {"pe2.wrk"}},
        {"genodrop", {"chromosome.wrk", "pe2.wrk", "gntp.wrk"}},
        {"extract", {"gntp.wrk", "qtl.wrk", "mark.wrk"}},
        {"traitsim", {"qtl.wrk", "model.wrk", "phtypes.wrk"}},
        {"xp-loci", {"chromosome.wrk", "map.wrk.sol"}},
        {"xp-fam", {"pe0.wrk", "pedigree.sol"}},
        {"xp-geno", {"pe2.wrk", "mark.wrk", "mark.sol"}},
        {"xp-trait", {"pe2.wrk", "phtypes.wrk", "phen.sol"}},
    };
  } else {
    auto name = [chromosomes](const char* stem, std::size_t k, const char* ending) {
      return chromosome_file(stem, k, chromosomes, ending);
    };
    steps = {{"famorder", {"pe0.wrk", "pe2.wrk"}}, {"famlint", {"pe2.wrk"}}};
    std::vector<std::string> parts;
    for (std::size_t k = 1; k <= chromosomes; ++k) {
      steps.push_back({"genodrop", {name("chromosome", k, ".wrk"), "pe2.wrk", name("gntp", k, ".wrk")}});
      steps.push_back({"extract", {name("gntp", k, ".wrk"), name("qtl", k, ".wrk"), name("mark", k, ".wrk")}});
      steps.push_back({"xp-loci", {name("chromosome", k, ".wrk"), name("map", k, ".sol")}});
      parts.push_back(work + "/" + name("qtl", k, ".wrk"));
    }
    // An empty program: the chromosomes' QTL genotype files merged, in this process.
    steps.push_back({"", parts});
    steps.push_back({"traitsim", {"qtl.wrk", "model.wrk", "phtypes.wrk"}});
    steps.push_back({"xp-fam", {"pe0.wrk", "pedigree.sol"}});
    for (std::size_t k = 1; k <= chromosomes; ++k)
      steps.push_back({"xp-geno", {"pe2.wrk", name("mark", k, ".wrk"), name("mark", k, ".sol")}});
    steps.push_back({"xp-trait", {"pe2.wrk", "phtypes.wrk", "phen.sol"}});
  }
  for (const Step& step : steps) {
    if (step.program.empty()) {
      if (auto refusal = merge_qtl_files(step.arguments, work + "/qtl.wrk")) return refusal;
      continue;
    }
    std::string output;
    if (auto refusal = run_step(bin, work, step.program, step.arguments, output)) {
      // Too large for the program's table: its own steps, here, on tables sized by the input.
      if (!table_refusal(step.program, output)) return refusal;
      output.clear();
      if (auto beyond = run_beyond_tables(work, step.program, step.arguments, output)) return beyond;
    }
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
      notes += step.program + ":" + line + "\n";
  }
  return std::nullopt;
}

}  // namespace simreps
