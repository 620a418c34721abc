#pragma once

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace elencario {

// Whether `f` is a terminal: the command draws its progress there, and never writes a PDF to it.
inline bool Terminale(std::FILE* f) {
#ifdef _WIN32
    return _isatty(_fileno(f)) != 0;
#else
    return isatty(fileno(f)) != 0;
#endif
}

}  // namespace elencario
