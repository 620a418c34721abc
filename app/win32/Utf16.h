#pragma once

// The core's texts are UTF-8; Windows takes UTF-16. Both ways exact for valid text.

#include <windows.h>

#include <string>
#include <string_view>

namespace elencario {

[[nodiscard]] inline std::wstring Utf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring testo(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), testo.data(), n);
    return testo;
}

[[nodiscard]] inline std::string Utf8(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string testo(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), testo.data(), n,
                          nullptr, nullptr);
    return testo;
}

// The text of a window or control.
[[nodiscard]] inline std::wstring TestoDi(HWND hwnd) {
    std::wstring testo(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    testo.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, testo.data(), static_cast<int>(testo.size()))));
    return testo;
}

}  // namespace elencario
