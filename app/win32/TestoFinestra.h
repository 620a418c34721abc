#pragma once

#include <windows.h>

#include <string>

namespace elencario {

// The text of a window or control.
[[nodiscard]] inline std::wstring TestoDi(HWND hwnd) {
    std::wstring testo(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    testo.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, testo.data(), static_cast<int>(testo.size()))));
    return testo;
}

}  // namespace elencario
