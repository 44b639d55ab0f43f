// Files written so that a crash or a power cut at any moment leaves either
// the old state or the new one: data synced before it takes its name, the
// folder synced after.
#pragma once

#include <stdexcept>
#include <string>

namespace host::robot {

// A write that failed. diskFull tells a full disk (or quota) apart from any
// other fault, since the uploader is told so.
class StoreError : public std::runtime_error {
  public:
    StoreError(const std::string& message, bool diskFull)
        : std::runtime_error(message), diskFull_(diskFull) {}
    bool diskFull() const { return diskFull_; }

  private:
    bool diskFull_;
};

// Creates path (which must not exist), writes bytes and syncs them.
void WriteSynced(const std::string& path, const std::string& bytes, unsigned mode = 0644);
// Syncs a folder, so that the names made or changed in it last.
void SyncFolder(const std::string& folder);
// Renames from to to (same file system) and syncs to's folder.
void RenameSynced(const std::string& from, const std::string& to);
// Puts bytes at path whole, through a temporary file in scratch.
void ReplaceFile(const std::string& scratch, const std::string& path, const std::string& bytes);

std::string ReadWhole(const std::string& path);
// 32 random bytes as 64 hex characters (n bytes as 2n).
std::string RandomHex(size_t bytes);

}  // namespace host::robot
