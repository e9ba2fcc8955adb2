#pragma once

#include <sys/types.h>
#include <sys/uio.h>

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace platform {

// A pass visits at most this many processes, however many are running.
inline constexpr std::size_t kMaxTrimmedProcesses = 1024;

// Gives the ids of the processes a pass visits.
using ProcessList = std::function<std::vector<pid_t>()>;

// The ids of the running processes, in the order /proc lists them, at most `limit` of them.
std::vector<pid_t> RunningProcessIds(std::size_t limit);

// The processes a pass visits unless told otherwise: the first kMaxTrimmedProcesses running.
inline std::vector<pid_t> ProcessesToTrim() {
  return RunningProcessIds(kMaxTrimmedProcesses);
}

// Asks the kernel to page out every mapping of one process: madvise for our own process,
// process_madvise through a pidfd for any other. Returns false for a process it may not touch
// or that has gone; callers pass over those.
bool TrimProcess(pid_t pid);

// One page-out request for a batch of another process's ranges, as process_madvise answers it:
// the bytes of the ranges accepted before the first one refused, or -1 with errno set.
using PageOutCall = std::function<long(std::span<const iovec> batch)>;

// Asks for every range in batches the kernel takes. A range the kernel refuses (a device or
// locked mapping, one unmapped meanwhile) is skipped and the rest asked for again; an error
// that concerns the whole call (no right to touch the process, the process gone, no such call
// on this kernel) ends the process's turn at once, so a process we may not touch costs one
// call, not one per mapping. Returns whether any range was accepted.
bool PageOutRanges(std::span<const iovec> ranges, const PageOutCall& call);

// Trims one process; false when it was passed over.
using ProcessTrimmer = std::function<bool(pid_t)>;

// One pass over the processes of `processes` (at most kMaxTrimmedProcesses of them). Nothing is
// reported: a process that cannot be trimmed is passed over.
void TrimAllProcesses(const ProcessList& processes = ProcessesToTrim,
                      const ProcessTrimmer& trim = TrimProcess);

// Starts a pass on a detached worker thread and returns at once; `finished` runs on that
// thread when the pass is over. When no thread can be started the pass is skipped.
void StartTrimPass(ProcessList processes, std::function<void()> finished = {});

// The memory-trimming timer's tick: a pass over every running process, off the window thread.
void OnTrimTimer();

}  // namespace platform
