// Reads the DLL's version resource as Windows shows it in the file's
// properties, and its icon 107:
//   version_check <Stats.dll> <major.minor.patch>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

bool StringValue(const std::vector<char>& block, const char* name, std::string& out) {
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || length == 0) {
        return false;
    }
    out.assign(static_cast<const char*>(value));
    return true;
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "%s\n", why.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: version_check <Stats.dll> <major.minor.patch>\n");
        return 2;
    }
    const char* dll = argv[1];
    const std::string want = argv[2];
    unsigned major = 0, minor = 0, patch = 0;
    if (std::sscanf(want.c_str(), "%u.%u.%u", &major, &minor, &patch) != 3) {
        return Fail("not a version: " + want);
    }

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(dll, &ignored);
    if (size == 0) {
        return Fail("the DLL has no version resource");
    }
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(dll, 0, size, block.data())) {
        return Fail("cannot read the version resource");
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof *fixed || fixed->dwSignature != 0xFEEF04BD) {
        return Fail("the version resource has no fixed part");
    }
    const DWORD ms = MAKELONG(minor, major);
    const DWORD ls = MAKELONG(0, patch);
    if (fixed->dwFileVersionMS != ms || fixed->dwFileVersionLS != ls ||
        fixed->dwProductVersionMS != ms || fixed->dwProductVersionLS != ls) {
        char seen[64];
        std::snprintf(seen, sizeof seen, "%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS),
                      LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                      LOWORD(fixed->dwFileVersionLS));
        return Fail(std::string("the file version is ") + seen + ", not " + want);
    }
    if (fixed->dwFileType != VFT_DLL) {
        return Fail("the version resource does not call the file a DLL");
    }
    std::string file, product, description, original;
    if (!StringValue(block, "FileVersion", file) ||
        !StringValue(block, "ProductVersion", product) ||
        !StringValue(block, "FileDescription", description) ||
        !StringValue(block, "OriginalFilename", original)) {
        return Fail("a text of the version resource is missing");
    }
    if (file != want || product != want || original != "Stats.dll" || description.empty()) {
        return Fail("the texts say file " + file + ", product " + product + ", name " + original);
    }

    HMODULE module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return Fail("cannot open the DLL's resources");
    }
    const bool icon = FindResourceA(module, MAKEINTRESOURCEA(107), RT_GROUP_ICON) != nullptr &&
                      LoadImageA(module, MAKEINTRESOURCEA(107), IMAGE_ICON, 32, 32, 0) != nullptr;
    FreeLibrary(module);
    if (!icon) {
        return Fail("the DLL has no icon 107");
    }
    std::printf("Stats.dll %s: \"%s\", icon 107\n", file.c_str(), description.c_str());
    return 0;
}
