// A folder in memory for the workers' own folders. For every log the
// plug-in rewrites its settings file twice (the run's start and its claimed
// score), each time as a new file renamed over the old, and writes its
// bad-QSO file anew, which the host empties first and reads after each QSO.
// On a disk file system every rewrite and every emptying makes the disk
// wait, thousands of times in a contest. None of these files outlives the
// run, so they live in a memory file system when the machine has one, and
// go when the run ends.
#pragma once

#include <string>

namespace host {

class MemoryFolder {
  public:
    // Makes an empty folder of its own under $XDG_RUNTIME_DIR or /dev/shm,
    // whichever is a memory file system that can be written; none: empty().
    // Its name holds the process number, and the folders there of processes
    // that are gone (killed runs) are removed first.
    MemoryFolder();
    ~MemoryFolder();  // removes the folder and what is in it
    MemoryFolder(const MemoryFolder&) = delete;
    MemoryFolder& operator=(const MemoryFolder&) = delete;

    bool empty() const { return path_.empty(); }
    const std::string& path() const { return path_; }

    // The folder a worker works in: one of its own in here, else (no
    // memory folder) onDisk, the folder it has in the output folder.
    std::string WorkerFolder(const std::string& onDisk, size_t worker) const;

  private:
    std::string path_;
};

}  // namespace host
