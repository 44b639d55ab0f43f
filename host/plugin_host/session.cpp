#include "host/plugin_host/session.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

#include "host/host_error.h"
#include "host/plugin_host/console.h"
#include "scoring/bad_qso_file_format.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace host {
namespace {

int CloseFile(std::FILE* file) {
    return file == nullptr ? 0 : std::fclose(file);
}

// What was appended to the file since the last read.
std::string ReadAppended(std::FILE* file) {
    std::string added;
    char chunk[4096];
#if defined(_WIN32)
    std::clearerr(file);
    // The Windows C runtime remembers an end of file once reached and reads
    // nothing more until the file position is set again.
    std::fseek(file, 0, SEEK_CUR);
    for (;;) {
        const size_t n = std::fread(chunk, 1, sizeof chunk, file);
        added.append(chunk, n);
        if (n < sizeof chunk) {
            return added;
        }
    }
#else
    // Straight from the descriptor (the stream buffers nothing): after most
    // QSOs nothing was appended, and one read says so without the stream's
    // locking and state around it.
    for (;;) {
        const ssize_t n = read(fileno(file), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return added;
        }
        added.append(chunk, static_cast<size_t>(n));
        if (static_cast<size_t>(n) < sizeof chunk) {
            return added;
        }
    }
#endif
}

}  // namespace

std::string Session::BadQsoFileName() const {
    return ::BadQsoFileName(setup_.run.end);
}

void Session::Replay() {
    if (!plugin_->loaded() && !plugin_->Load(setup_.pluginPath)) {
        throw PluginError(plugin_->error());
    }
    if (setup_.run.reportRun != 0) {
        setup_.header.ownCall = setup_.run.ownCall;
        setup_.header.savedForAnotherCall = SavedAnswersOfAnotherCall(setup_.run.ownCall);
    }
    AnswerPluginWindows(
        [this](std::vector<FormAnswer>& fields) {
            std::vector<std::string> warnings;
            formRefused_ = FillHeaderForm(setup_.header, fields, warnings);
            for (const std::string& warning : warnings) {
                std::cerr << "stats-host: warning: " << warning << "\n";
            }
            // A refused answer cancels the form, so nothing half-answered
            // is saved.
            formAnswered_ = formRefused_.empty();
            return formAnswered_;
        },
        [this](const std::string& caption, const std::string& text) {
            boxes_.push_back((caption.empty() ? std::string("Message") : caption) + ": " + text);
        });

    // The contest-run start writes the bad-QSO file anew; one left by an
    // earlier run is emptied first, so that a file the plug-in cannot write
    // is not mistaken for this run's. Emptied, not removed: the logs of a
    // contest are replayed one after another in one folder, and a file made
    // anew each time costs the file system far more.
    std::error_code missing;
    if (std::filesystem::exists(BadQsoFileName(), missing)) {
        std::error_code emptyError;
        std::filesystem::resize_file(BadQsoFileName(), 0, emptyError);
        if (emptyError) {
            throw InputError(
                setup_.hostFolder + BadQsoFileName() +
                ": cannot replace the bad-QSO file of an earlier run: " + emptyError.message());
        }
    }
    ContestRun run = setup_.run;
    run.hostFolder = setup_.hostFolder;
    plugin_->Reset(run);
    if (!formRefused_.empty()) {
        throw InputError(formRefused_);
    }
    if (formAnswered_) {
        RecordSavedAnswersCall(setup_.run.ownCall);
    }

    // What the plug-in appends to its bad-QSO file while a QSO is added are
    // that QSO's problems. The file stays open for reading: one read after
    // each QSO finds what was appended, usually nothing.
    const std::string badFile = BadQsoFileName();
    std::FILE* bad = std::fopen(badFile.c_str(), "rb");
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(bad, CloseFile);
    if (bad != nullptr) {
        std::setvbuf(bad, nullptr, _IONBF, 0);
#if !defined(_WIN32)
        // Each read after the plug-in appended would otherwise also write
        // the file's access time.
        const int flags = fcntl(fileno(bad), F_GETFL);
        if (flags >= 0) {
            fcntl(fileno(bad), F_SETFL, flags | O_NOATIME);
        }
#endif
    }
    if (bad == nullptr || ReadAppended(bad).empty()) {  // the header line
        throw InputError(setup_.hostFolder + badFile +
                         ": the plug-in could not create its bad-QSO file; the output folder "
                         "must be writable");
    }
    stored_.assign(setup_.qsoCount, false);
    reasons_.assign(setup_.qsoCount, 0);
    for (size_t i = 0; i < setup_.qsoCount; ++i) {
        if (setup_.take && !setup_.take(i)) {
            continue;
        }
        if (plugin_->Add(setup_.qsoAt(i)) == 1) {
            stored_[i] = true;
            ++storedCount_;
        }
        if (setup_.reasons) {
            const std::string added = ReadAppended(bad);
            reasons_[i] = added.empty() ? 0 : PluginReasonsIn(added);
        }
        if (setup_.progress) {
            setup_.progress(i + 1);
        }
    }
}

std::string Session::Result() {
    return plugin_->Result();
}

std::string Session::PageResult() {
    // The page repeats what the text result did (a report run writes its
    // file again, the same); its message boxes were shown already.
    const size_t shown = boxes_.size();
    plugin_->SetVersion("stats-host");
    std::string page = plugin_->Result();
    boxes_.resize(shown);
    return page;
}

Session::~Session() {
    StopAnsweringPluginWindows();
}

}  // namespace host
