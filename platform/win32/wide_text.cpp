#include "platform/win32/wide_text.h"

namespace plat {
namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, &wide[0], needed);
    return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), length, &text[0], needed, nullptr, nullptr);
    return text;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& text) {
    return ToWide(CP_UTF8, text);
}

std::string WideToUtf8(const std::wstring& text) {
    return FromWide(CP_UTF8, text);
}

std::string AnsiToUtf8(const std::string& text) {
    return FromWide(CP_UTF8, ToWide(CP_ACP, text));
}

std::string Utf8ToAnsi(const std::string& text) {
    return FromWide(CP_ACP, ToWide(CP_UTF8, text));
}

std::string WindowTextUtf8(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) {
        return std::string();
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &wide[0], length + 1);
    wide.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return WideToUtf8(wide);
}

}  // namespace plat
