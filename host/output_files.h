// The files a run writes, written whole or refused with the reason.
#pragma once

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace host {

// The Cabrillo file a report run makes for the own call, as the plug-in
// names it: "DL1XYZ.cbr", "YU1XYZ_P.cbr" for YU1XYZ/P.
std::string CabrilloFileName(const std::string& ownCall);

// Throws InputError, naming the file and what it was to hold, when the file
// at path could not be written: its folder is missing or not writable, or it
// is a folder or a file that may not be written. For a run to check all its
// outputs before it does any work.
void CheckWritable(const std::string& path, const std::string& what);
// A folder a run writes files into: made now, with its parents, and shown to
// take a new file; throws InputError naming the folder and the what when it
// cannot be (a file in its way, no right to write).
void CheckOutputFolder(const std::string& dir, const std::string& what);

// A file written whole or not at all: the text goes to a temporary file
// beside it (".NAME.partial"), which takes the file's name only at Commit.
// Until then, and when the run is interrupted, the file at path stays what
// it was. A device or a pipe is written in place. Throws InputError naming
// the file, what it was to hold and why it could not be written.
class OutputFile {
  public:
    OutputFile(const std::string& path, const std::string& what);
    ~OutputFile();  // removes the temporary file unless committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Write(const std::string& text);
    // Flushes the text to the disk and gives it the file's name.
    void Commit();
    // Closes the temporary file without waiting for the disk: for a batch
    // of files put on the disk at once (OutputBatch), after which Commit
    // only gives the file its name.
    void Close();
    const std::string& temporary() const { return temporary_; }

  private:
    [[noreturn]] void Fail(int error);
    void RemoveTemporary();

    std::string path_;
    std::string what_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    size_t unwritten_ = 0;  // bytes written since the disk was last asked to write
    bool closed_ = false;   // by Close, not yet named
    bool named_ = false;    // by Commit
};

// Many files written whole as one: each is written to its temporary file,
// then all are put on the disk at once and only then take their names. A
// folder of a thousand reports costs one wait for the disk, not a thousand;
// each file is still either the earlier run's or this run's, whole. The
// files not committed when the batch ends are left as they were.
class OutputBatch {
  public:
    void Write(const std::string& path, const std::string& text, const std::string& what);
    void Commit();

  private:
    std::vector<std::unique_ptr<OutputFile>> files_;
};

// Writes text as the whole file at path through an OutputFile.
void WriteOutputFile(const std::string& path, const std::string& text, const std::string& what);

// Removes the files of folder named STEM + extension whose STEM is not in
// kept, and the temporary files an interrupted run left there: a folder of
// reports then holds exactly this run's. Throws InputError when one cannot
// be removed.
void RemoveOtherReports(const std::string& folder, const std::set<std::string>& kept,
                        const std::string& extension);

// The temporary name OutputFile writes path under.
std::string PartialFileName(const std::string& path);

// Flushes standard output; throws InputError when what was written there
// did not all arrive (a full device, a closed pipe).
void FlushStandardOutput();

}  // namespace host
