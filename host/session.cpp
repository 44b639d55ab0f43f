#include "host/session.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "host/console.h"
#include "host/host_error.h"
#include "scoring/bad_qso_file_format.h"

namespace host {

std::string Session::BadQsoFileName() const {
    return ::BadQsoFileName(setup_.run.end);
}

void Session::Replay() {
    if (!plugin_.Load(setup_.pluginPath)) {
        throw PluginError(plugin_.error());
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

    // The contest-run start creates the bad-QSO file anew; one left by an
    // earlier run must go first, so that a file the plug-in cannot create is
    // not mistaken for this run's.
    std::error_code removeError;
    std::filesystem::remove(BadQsoFileName(), removeError);
    if (removeError) {
        throw InputError(
            setup_.hostFolder + BadQsoFileName() +
            ": cannot replace the bad-QSO file of an earlier run: " + removeError.message());
    }
    ContestRun run = setup_.run;
    run.hostFolder = setup_.hostFolder;
    plugin_.Reset(run);
    if (!formRefused_.empty()) {
        throw InputError(formRefused_);
    }
    if (formAnswered_) {
        RecordSavedAnswersCall(setup_.run.ownCall);
    }

    // What the plug-in appends to its bad-QSO file while a QSO is added are
    // that QSO's problems.
    const std::string badFile = BadQsoFileName();
    std::error_code error;
    uintmax_t badSize = std::filesystem::file_size(badFile, error);
    if (error) {
        throw InputError(setup_.hostFolder + badFile +
                         ": the plug-in could not create its bad-QSO file; the output folder "
                         "must be writable");
    }
    stored_.assign(setup_.qsos.size(), false);
    reasons_.assign(setup_.qsos.size(), 0);
    for (size_t i = 0; i < setup_.qsos.size(); ++i) {
        if (plugin_.Add(setup_.qsos[i]) == 1) {
            stored_[i] = true;
            ++storedCount_;
        }
        const uintmax_t size = std::filesystem::file_size(badFile, error);
        if (!error && size > badSize) {
            std::ifstream in(badFile, std::ios::binary);
            in.seekg(static_cast<std::streamoff>(badSize));
            std::string added(static_cast<size_t>(size - badSize), '\0');
            in.read(&added[0], static_cast<std::streamsize>(added.size()));
            added.resize(static_cast<size_t>(in.gcount()));
            reasons_[i] = PluginReasonsIn(added);
        }
        badSize = error ? badSize : size;
        if (setup_.progress) {
            setup_.progress(i + 1);
        }
    }
}

std::string Session::Result() {
    return plugin_.Result();
}

std::string Session::PageResult() {
    // The page repeats what the text result did (a report run writes its
    // file again, the same); its message boxes were shown already.
    const size_t shown = boxes_.size();
    plugin_.SetVersion("stats-host");
    std::string page = plugin_.Result();
    boxes_.resize(shown);
    return page;
}

Session::~Session() {
    StopAnsweringPluginWindows();
}

}  // namespace host
