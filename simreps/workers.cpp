#include "simreps/workers.hpp"

#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "simreps/progress.hpp"

namespace simreps {
namespace {

// Shared by the workers: the next entry of the list to take, and whether a refusal stopped
// the study.
struct Shared {
  std::atomic<std::int64_t> next{0};
  std::atomic<bool> stopped{false};
};

// Replicates finished before their folders are published together: one flush of the file
// system for all of them.
constexpr std::size_t batch_size = 16;

void say(Shared& shared, const std::string& text) {
  if (!shared.stopped.exchange(true)) {
    std::printf("simreps: %s\n", text.c_str());
    std::fflush(stdout);
  }
}

// Publishes the batch and reports its replicates done; ends the worker when that fails.
void publish_and_report(std::vector<Made>& batch, Shared& shared, int report) {
  std::vector<std::int64_t> done;
  for (const Made& made : batch) done.push_back(made.replicate);
  if (auto failed = publish(batch)) {
    say(shared, failed->text);
    _exit(1);
  }
  for (const std::int64_t r : done)
    if (::write(report, &r, sizeof r) != sizeof r) _exit(1);
}

// Takes the claim of `r` (waiting for it with `wait`) and makes the replicate into `batch`.
// Returns false when another run holds the claim and `wait` is not set.
bool claim_and_make(const Plan& plan, Replicate& replicate, std::int64_t r, bool wait, std::vector<Made>& batch,
                    Shared& shared, int report) {
  Claim claim;
  outcome::Outcome problem = Claim::take(r, wait, claim);
  if (problem) problem = outcome::stop("replicate " + std::to_string(r) + ", " + problem->text);
  if (!problem && !claim.held()) return false;
  const std::size_t before = batch.size();
  if (!problem) problem = make_folder(plan, replicate, r, std::move(claim), batch);
  if (problem) {
    // What is finished is kept: the run that resumes the study then makes only the rest.
    say(shared, problem->text);
    publish_and_report(batch, shared, report);
    _exit(1);
  }
  // Another run completed it meanwhile.
  if (batch.size() == before && ::write(report, &r, sizeof r) != sizeof r) _exit(1);
  return true;
}

[[noreturn]] void work(const Plan& plan, const std::vector<std::int64_t>& todo, Shared& shared,
                       int report, pid_t parent) {
  // A worker must not outlive a simreps that was killed: the run that resumes it would meet
  // its folders half-made.
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) _exit(1);
  auto replicate = std::make_unique<Replicate>();
  replicate->keep_deviates = plan.keep_working;
  const auto count = static_cast<std::int64_t>(todo.size());
  std::vector<Made> batch;
  // Replicates another run is making: taken up again at the end, once that run lets them go,
  // so that the slice is whole when this run ends even if that run is lost.
  std::vector<std::int64_t> held_elsewhere;
  for (;;) {
    if (shared.stopped.load()) break;
    const std::int64_t i = shared.next.fetch_add(1);
    if (i >= count) break;
    const std::int64_t r = todo[static_cast<std::size_t>(i)];
    if (!claim_and_make(plan, *replicate, r, false, batch, shared, report)) held_elsewhere.push_back(r);
    if (batch.size() >= batch_size) publish_and_report(batch, shared, report);
  }
  publish_and_report(batch, shared, report);
  // One at a time, holding no other claim while it waits: a run that waits holds nothing
  // another run could be waiting for.
  for (const std::int64_t r : held_elsewhere) {
    if (shared.stopped.load()) break;
    claim_and_make(plan, *replicate, r, true, batch, shared, report);
    publish_and_report(batch, shared, report);
  }
  _exit(0);
}

}  // namespace

int run_workers(const Plan& plan, const std::vector<std::int64_t>& todo, int jobs, bool progress) {
  if (todo.empty()) return 0;
  void* memory = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) {
    std::printf("simreps: cannot share memory with the workers: %s\n", std::strerror(errno));
    return 1;
  }
  Shared* shared = new (memory) Shared;
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) {
    std::printf("simreps: cannot make a pipe for the workers: %s\n", std::strerror(errno));
    return 1;
  }
  const auto wanted = static_cast<std::int64_t>(todo.size());
  if (jobs > wanted) jobs = static_cast<int>(wanted);
  std::fflush(nullptr);
  const pid_t parent = ::getpid();
  std::vector<pid_t> workers;
  for (int w = 0; w < jobs; ++w) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::close(pipe_ends[0]);
      work(plan, todo, *shared, pipe_ends[1], parent);
    }
    if (pid < 0) {
      std::printf("simreps: cannot start a worker: %s\n", std::strerror(errno));
      shared->stopped = true;
      break;
    }
    workers.push_back(pid);
  }
  ::close(pipe_ends[1]);

  Progress shown(wanted, progress);
  std::int64_t r = 0;
  for (;;) {
    const ssize_t n = ::read(pipe_ends[0], &r, sizeof r);
    if (n < 0 && errno == EINTR) continue;
    if (n != sizeof r) break;
    shown.step();
  }
  ::close(pipe_ends[0]);
  shown.finish();

  int result = workers.size() == static_cast<std::size_t>(jobs) ? 0 : 1;
  for (const pid_t pid : workers) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) continue;
    if (WIFSIGNALED(status) && !shared->stopped.exchange(true))
      std::printf("simreps: a worker ended abnormally (%s)\n", strsignal(WTERMSIG(status)));
    result = 1;
  }
  ::munmap(memory, sizeof(Shared));
  return result;
}

}  // namespace simreps
