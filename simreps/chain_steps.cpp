#include "simreps/chain_steps.hpp"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace simreps {

std::string own_folder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : self.parent_path().string();
}

outcome::Outcome run_step(const std::string& bin, const std::string& work, const std::string& program,
                          const std::vector<std::string>& arguments, std::string& output) {
  const std::string path = bin + "/" + program;
  const std::string capture = work + "/" + program + ".out";
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) return outcome::stop(program + ": cannot start it: " + std::strerror(errno));
  if (pid == 0) {
    const int fd = ::open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::chdir(work.c_str()) != 0) _exit(127);
    ::dup2(fd, 1);
    ::dup2(fd, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(path.c_str(), argv.data());
    std::fprintf(stderr, "cannot run %s: %s\n", path.c_str(), std::strerror(errno));
    _exit(127);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  {
    std::ifstream in(capture);
    std::ostringstream text;
    text << in.rdbuf();
    output = text.str();
  }
  std::remove(capture.c_str());
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

outcome::Outcome run_chain_once(const std::string& bin, const std::string& work, std::string& notes) {
  struct Step {
    const char* program;
    std::vector<std::string> arguments;
  };
  const Step steps[] = {
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
  for (const Step& step : steps) {
    std::string output;
    if (auto refusal = run_step(bin, work, step.program, step.arguments, output))
      return refusal;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);)
      notes += std::string(step.program) + ":" + line + "\n";
  }
  return std::nullopt;
}

}  // namespace simreps
