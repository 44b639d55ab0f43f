#include "host/commands/output_guard.h"

#include <filesystem>
#include <utility>
#include <vector>

#include "host/host_error.h"
#include "host/output_files.h"
#include "scoring/bad_qso_file_format.h"
#include "scoring/settings_file_names.h"

namespace fs = std::filesystem;

namespace host {
namespace {

// Two paths name one file: the same file on disk when both exist, the same
// place when neither does yet. A file that does not exist is no input.
bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    const bool aExists = fs::exists(a, error);
    const bool bExists = fs::exists(b, error);
    if (aExists && bExists) {
        const bool same = fs::equivalent(a, b, error);
        return same && !error;
    }
    if (aExists || bExists) {
        return false;
    }
    const fs::path ca = fs::weakly_canonical(a, error);
    const fs::path cb = fs::weakly_canonical(b, error);
    return !error && ca == cb;
}

}  // namespace

void RefuseOverwrites(const Options& o, const PreparedLog& p, const std::string& plugin) {
    const std::vector<std::pair<std::string, std::string>> inputs = {
        {o.log, "the log"}, {o.cty, "the country file"}, {plugin, "the plug-in"}};
    std::vector<std::pair<std::string, std::string>> outputs;
    for (const auto& option :
         {std::make_pair(&o.html, "--html"), std::make_pair(&o.problems, "--problems"),
          std::make_pair(&o.json, "--json"), std::make_pair(&o.page, "--page")}) {
        if (!option.first->empty()) {
            outputs.emplace_back(*option.first, option.second);
        }
    }
    const fs::path out = fs::absolute(o.out);
    outputs.emplace_back((out / BadQsoFileName(p.run.end)).string(), "the bad-QSO file");
    outputs.emplace_back((out / kHostSettingsName).string(), "the host's settings file");
    outputs.emplace_back((out / kPluginSettingsFolder / kPluginSettingsName).string(),
                         "the plug-in's settings");
    if (o.report) {
        outputs.emplace_back((out / CabrilloFileName(p.run.ownCall)).string(), "the Cabrillo file");
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        for (const auto& input : inputs) {
            if (!input.first.empty() && SameFile(outputs[i].first, input.first)) {
                throw InputError(outputs[i].first + ": " + outputs[i].second + " would overwrite " +
                                 input.second + "; nothing was written");
            }
        }
        for (size_t j = 0; j < i; ++j) {
            if (SameFile(outputs[i].first, outputs[j].first)) {
                throw InputError(outputs[i].first + ": " + outputs[j].second + " and " +
                                 outputs[i].second + " are the same file; nothing was written");
            }
        }
    }
    for (const auto& option :
         {std::make_pair(&o.html, "HTML page"), std::make_pair(&o.problems, "problems list"),
          std::make_pair(&o.json, "JSON summary"), std::make_pair(&o.page, "page")}) {
        if (!option.first->empty()) {
            CheckWritable(*option.first, option.second);
        }
    }
}

}  // namespace host
