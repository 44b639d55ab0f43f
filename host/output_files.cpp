#include "host/output_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include "cabrillo/cabrillo_file_name.h"
#include "host/host_error.h"

namespace host {
namespace {

// What the last failed system call said, when it said anything.
std::string Reason(int error) {
    return error == 0 ? std::string() : std::string(": ") + std::strerror(error);
}

}  // namespace

std::string CabrilloFileName(const std::string& ownCall) {
    return CabrilloFileBase(ownCall) + ".cbr";
}

void WriteOutputFile(const std::string& path, const std::string& text, const std::string& what) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        throw InputError(path + ": cannot write the " + what + Reason(errno));
    }
}

void FlushStandardOutput() {
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        throw InputError("standard output: cannot write the result" + Reason(errno));
    }
}

}  // namespace host
