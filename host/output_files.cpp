#include "host/output_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <vector>
#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "cabrillo/cabrillo_file_name.h"
#include "host/host_error.h"

namespace fs = std::filesystem;

namespace host {
namespace {

// Puts what was written to file on the disk, so that the rename that
// follows never names a file whose text a crash could still lose.
int SyncToDisk(std::FILE* file) {
#if defined(_WIN32)
    return _commit(_fileno(file));
#else
    return fsync(fileno(file));
#endif
}

// Asks the disk to start writing what the file holds so far, without
// waiting: a large file is then written while the rest of it is made, and
// the sync that comes before it takes its name finds most of it written.
// Only a hint; where it cannot be asked, nothing happens.
void StartWriting(std::FILE* file) {
#if defined(__linux__)
    sync_file_range(fileno(file), 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)file;
#endif
}

// A file this large or larger is handed to the disk in parts as it is
// written.
constexpr size_t kWritePart = size_t{8} << 20;

// What the last failed system call said, when it said anything.
std::string Reason(int error) {
    return error == 0 ? std::string() : std::string(": ") + std::strerror(error);
}

}  // namespace

std::string CabrilloFileName(const std::string& ownCall) {
    return CabrilloFileBase(ownCall) + ".cbr";
}

std::string PartialFileName(const std::string& path) {
    const fs::path p(path);
    return (p.parent_path() / ("." + p.filename().string() + ".partial")).string();
}

void CheckWritable(const std::string& path, const std::string& what) {
    std::error_code error;
    const fs::path p(path);
    const fs::file_status status = fs::status(p, error);
    if (fs::is_directory(status)) {
        throw InputError(path + ": is a folder, not a file for the " + what);
    }
    if (fs::exists(status) && access(path.c_str(), W_OK) != 0) {
        throw InputError(path + ": cannot write the " + what + Reason(errno));
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return;  // a device or a pipe, written in place
    }
    // The file is written beside itself and then renamed: the folder must
    // take a new file.
    const std::string probe = PartialFileName(path);
    errno = 0;
    std::FILE* file = std::fopen(probe.c_str(), "wb");
    if (file == nullptr) {
        throw InputError(path + ": cannot write the " + what + Reason(errno));
    }
    std::fclose(file);
    std::remove(probe.c_str());
}

void CheckOutputFolder(const std::string& dir, const std::string& what) {
    std::error_code error;
    fs::create_directories(dir, error);
    if (error) {
        throw InputError(dir + ": cannot create the " + what + ": " + error.message());
    }
    CheckWritable(dir + "/.check", what);
}

OutputFile::OutputFile(const std::string& path, const std::string& what)
    : path_(path), what_(what) {
    // A device or a pipe (/dev/stdout) is written in place: renaming over it
    // would replace the device with a file.
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    temporary_ = fs::exists(status) && !fs::is_regular_file(status) ? path : PartialFileName(path);
    errno = 0;
    file_ = std::fopen(temporary_.c_str(), "wb");
    if (file_ == nullptr) {
        Fail(errno);
    }
}

OutputFile::~OutputFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
    if (!named_) {
        RemoveTemporary();
    }
}

void OutputFile::RemoveTemporary() {
    if (temporary_ != path_) {
        std::remove(temporary_.c_str());
    }
}

void OutputFile::Fail(int error) {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
        RemoveTemporary();
    }
    throw InputError(path_ + ": cannot write the " + what_ + Reason(error));
}

void OutputFile::Write(const std::string& text) {
    // In parts of a megabyte at most: one write of tens of megabytes (the
    // page of a log of half a million lines) cost the kernel thirty times
    // as much per byte here as the same bytes in parts.
    constexpr size_t kPart = size_t{1} << 20;
    for (size_t at = 0; at < text.size(); at += kPart) {
        const size_t n = std::min(kPart, text.size() - at);
        errno = 0;
        if (std::fwrite(text.data() + at, 1, n, file_) != n) {
            Fail(errno);
        }
    }
    unwritten_ += text.size();
    if (unwritten_ >= kWritePart && temporary_ != path_) {
        if (std::fflush(file_) != 0) {
            Fail(errno);
        }
        StartWriting(file_);
        unwritten_ = 0;
    }
}

void OutputFile::Close() {
    errno = 0;
    if (std::fflush(file_) != 0) {
        Fail(errno);
    }
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) {
        const int why = errno;
        RemoveTemporary();
        throw InputError(path_ + ": cannot write the " + what_ + Reason(why));
    }
    closed_ = true;
}

void OutputFile::Commit() {
    const bool inPlace = temporary_ == path_;
    int closed = 0;
    if (!closed_) {
        errno = 0;
        if (std::fflush(file_) != 0 || (!inPlace && SyncToDisk(file_) != 0)) {
            Fail(errno);
        }
        closed = std::fclose(file_);
        file_ = nullptr;
    }
    std::error_code error;
    if (closed == 0 && !inPlace) {
        fs::rename(temporary_, path_, error);
    }
    if (closed != 0 || error) {
        const int why = closed != 0 ? errno : error.value();
        RemoveTemporary();
        throw InputError(path_ + ": cannot write the " + what_ + Reason(why));
    }
    named_ = true;
}

void OutputBatch::Write(const std::string& path, const std::string& text, const std::string& what) {
    auto file = std::make_unique<OutputFile>(path, what);
    file->Write(text);
#if defined(_WIN32)
    file->Commit();
#else
    file->Close();
    files_.push_back(std::move(file));
#endif
}

void OutputBatch::Commit() {
#if !defined(_WIN32)
    if (files_.empty()) {
        return;
    }
    // One sync of the file system the files are on puts them all on the
    // disk; where that cannot be asked, each is synced on its own.
    const std::string folder = fs::path(files_.front()->temporary()).parent_path().string();
    const int dir = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    const bool synced = dir >= 0 && syncfs(dir) == 0;
    if (dir >= 0) {
        close(dir);
    }
    for (const std::unique_ptr<OutputFile>& file : files_) {
        const int fd = synced ? -1 : open(file->temporary().c_str(), O_RDONLY);
        if (fd >= 0) {
            fsync(fd);
            close(fd);
        }
        file->Commit();
    }
    files_.clear();
#endif
}

void RemoveOtherReports(const std::string& folder, const std::set<std::string>& kept,
                        const std::string& extension) {
    std::error_code error;
    std::vector<fs::path> strays;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool partial = name.size() > 9 && name.front() == '.' &&
                             name.compare(name.size() - 8, 8, ".partial") == 0;
        const bool report =
            name.size() > extension.size() &&
            name.compare(name.size() - extension.size(), extension.size(), extension) == 0 &&
            kept.count(name.substr(0, name.size() - extension.size())) == 0;
        if ((partial || report) && it->is_regular_file(error)) {
            strays.push_back(it->path());
        }
    }
    for (const fs::path& stray : strays) {
        if (!error) {
            fs::remove(stray, error);
        }
    }
    if (error) {
        throw InputError(folder +
                         ": cannot remove the reports of an earlier run: " + error.message());
    }
}

void WriteOutputFile(const std::string& path, const std::string& text, const std::string& what) {
    OutputFile out(path, what);
    out.Write(text);
    out.Commit();
}

void FlushStandardOutput() {
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        throw InputError("standard output: cannot write the result" + Reason(errno));
    }
}

}  // namespace host
