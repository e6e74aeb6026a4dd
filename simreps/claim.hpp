// The claim of one replicate: whoever holds it is the only run making that replicate, so
// slices that overlap, run at once on one host or on several over a shared folder, never
// make or remove each other's folders.
//
// A claim is an exclusive flock on OUTDIR/.claim.<r> (r without padding, so that a study
// whose folders are widened keeps its claims). The kernel drops the lock when its process
// ends, however it ends, so a claim never outlives its run; on NFS the Linux client takes it
// as an NFS lock, which the server drops when the client's lease runs out.
#pragma once

#include <cstdint>
#include <string>

#include "common/outcome/outcome.hpp"

namespace simreps {

class Claim {
 public:
  Claim() = default;
  ~Claim();
  Claim(Claim&& other) noexcept;
  Claim& operator=(Claim&& other) noexcept;
  Claim(const Claim&) = delete;
  Claim& operator=(const Claim&) = delete;

  // Takes the claim of `replicate` in the current folder into `claim`: at once, or with
  // `wait` when another run holds it, once that run lets it go. Without `wait`, leaves `claim`
  // empty when another run holds it. Returns what stopped it otherwise (the claim file cannot
  // be made or locked).
  static outcome::Outcome take(std::int64_t replicate, bool wait, Claim& claim);

  bool held() const { return fd_ >= 0; }
  // Lets the claim go and removes its file.
  void release();

 private:
  int fd_ = -1;
  std::string path_;
};

// The file name of the claim of `replicate`.
std::string claim_name(std::int64_t replicate);

// Removes the claim files in the current folder that no live run holds: a run killed after
// publishing a replicate and before letting its claim go leaves its file behind.
void remove_lost_claims();

}  // namespace simreps
