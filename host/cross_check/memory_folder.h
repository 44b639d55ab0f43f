// A folder in memory for the workers' plug-in settings. The plug-in
// rewrites its settings file twice a log (the run's start and its claimed
// score), each time as a new file renamed over the old; on a disk file
// system that makes the disk wait for every rewrite, thousands of times in
// a contest. The settings are a few hundred bytes, so they live in a
// memory file system when the machine has one, and go when the run ends.
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

    // Makes worker's plug-in settings folder inside folder (which is
    // created) a link to a folder of its own in here. Nothing happens
    // when there is no memory folder or the link cannot be made: the
    // settings then stay in folder.
    void LinkSettingsFolder(const std::string& folder, size_t worker) const;

  private:
    std::string path_;
};

}  // namespace host
