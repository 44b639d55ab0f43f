#include "host/session.h"

#include <filesystem>

#include "host/console.h"
#include "host/host_error.h"
#include "scoring/bad_qso_file_name.h"

namespace host {

std::string Session::BadQsoFileName() const {
    return ::BadQsoFileName(setup_.run.end);
}

void Session::Replay() {
    if (!plugin_.Load(setup_.pluginPath)) {
        throw PluginError(plugin_.error());
    }
    std::vector<std::string>& unknown = unknownFields_;
    std::vector<std::string>& labels = formLabels_;
    AnswerPluginWindows(
        [this, &unknown, &labels](std::vector<FormAnswer>& fields) {
            for (const FormAnswer& f : fields) {
                labels.push_back(f.label);
            }
            for (const auto& answer : setup_.header) {
                bool found = false;
                for (FormAnswer& f : fields) {
                    if (f.label == answer.first) {
                        f.value = answer.second;
                        found = true;
                    }
                }
                if (!found) {
                    unknown.push_back(answer.first);
                }
            }
            // An answer for a field the form does not have cancels the form,
            // so nothing half-answered is saved.
            return unknown.empty();
        },
        [this](const std::string& caption, const std::string& text) {
            boxes_.push_back((caption.empty() ? std::string("Message") : caption) + ": " + text);
        });

    if (setup_.html) {
        plugin_.SetVersion("stats-host");
    }
    ContestRun run = setup_.run;
    run.hostFolder = setup_.hostFolder;
    plugin_.Reset(run);
    if (!unknown.empty()) {
        std::string message =
            "the Cabrillo header form has no field " + unknown.front() + "; its fields are";
        for (const std::string& label : labels) {
            message += " " + label;
        }
        throw InputError(message);
    }

    // A stored QSO that makes the bad-QSO file grow was flagged (dupe, or a
    // YU station without a county).
    const std::string badFile = BadQsoFileName();
    std::error_code ignored;
    uintmax_t badSize = std::filesystem::file_size(badFile, ignored);
    stored_.assign(setup_.qsos.size(), false);
    for (size_t i = 0; i < setup_.qsos.size(); ++i) {
        if (plugin_.Add(setup_.qsos[i]) == 1) {
            stored_[i] = true;
            ++counts_.stored;
            std::error_code error;
            const uintmax_t size = std::filesystem::file_size(badFile, error);
            if (!error && size != badSize) {
                ++counts_.flagged;
            }
            badSize = error ? badSize : size;
        } else {
            ++counts_.rejected;
            badSize = std::filesystem::file_size(badFile, ignored);
        }
        if (setup_.progress) {
            setup_.progress(i + 1);
        }
    }
}

std::string Session::Result() {
    return plugin_.Result();
}

Session::~Session() {
    StopAnsweringPluginWindows();
}

}  // namespace host
