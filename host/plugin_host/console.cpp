#include "host/plugin_host/console.h"

#include <cstdio>
#include <filesystem>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>

#include "platform/posix/host_services.h"
#include "platform/profile.h"
#endif

namespace host {

bool StderrIsTerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

std::string ExecutableFolder() {
#if defined(_WIN32)
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n == MAX_PATH) {
        return std::string();
    }
    return std::filesystem::path(std::string(path, n)).parent_path().string();
#else
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
#endif
}

const char* PluginFileName() {
#if defined(_WIN32)
    return "Stats.dll";
#else
    return "libStats.so";
#endif
}

void AnswerPluginWindows(FormFiller fill, BoxSink shown) {
#if defined(_WIN32)
    (void)fill;
    (void)shown;
#else
    plat::SetModalFormHandler([fill](const std::string&, std::vector<plat::FormField>& fields) {
        std::vector<FormAnswer> answers;
        for (const plat::FormField& f : fields) {
            answers.push_back({f.label, f.value, f.choices});
        }
        if (!fill(answers)) {
            return false;
        }
        for (size_t i = 0; i < fields.size(); ++i) {
            fields[i].value = answers[i].value;
        }
        return true;
    });
    plat::SetMessageBoxHandler(
        [shown](const plat::ShownMessageBox& box) { shown(box.caption, box.text); });
#endif
}

void StopAnsweringPluginWindows() {
#if !defined(_WIN32)
    plat::ResetHostServices();
#endif
}

std::string ReadProfileValue(const std::string& path, const std::string& section,
                             const std::string& key) {
#if defined(_WIN32)
    (void)path;
    (void)section;
    (void)key;
    return std::string();
#else
    return plat::ReadProfileString(path, section, key, "");
#endif
}

void WriteProfileValue(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value) {
#if defined(_WIN32)
    (void)path;
    (void)section;
    (void)key;
    (void)value;
#else
    plat::WriteProfileString(path, section, key, value);
#endif
}

}  // namespace host
