// File access for POSIX systems: opening system files without ever blocking on a pipe or a
// device.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "systems/NumeriErrore.h"
#include "systems/SorgenteFilePiattaforma.h"

namespace elencario {

namespace {

bool ECartella(const std::filesystem::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int ErroreDiApertura(int codice, const std::filesystem::path& p) {
    switch (codice) {
        case ENOENT: {
            const std::filesystem::path cartella = p.parent_path();
            return cartella.empty() || ECartella(cartella) ? kErroreFileMancante : kErroreCartella;
        }
        case ENOTDIR:
            return kErroreCartella;
        case EACCES:
        case EPERM:
        case EROFS:
            return kErrorePermesso;
        case EIO:
            return kErroreDispositivo;
        case ENOMEM:
            return kErroreMemoria;
        case EMFILE:
        case ENFILE:
            return kErroreTroppiFile;
        default:
            return kErroreAccesso;  // EISDIR, ELOOP, ENXIO, ENAMETOOLONG…
    }
}

int ErroreDiLettura(int codice) {
    switch (codice) {
        case ENOMEM:
            return kErroreMemoria;
        case EISDIR:
            return kErroreAccesso;
        default:
            return kErroreDispositivo;
    }
}

SorgenteFilePiattaforma::Impronta ImprontaDi(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
            static_cast<std::uint64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

}  // namespace

int SorgenteFilePiattaforma::Apri(const std::filesystem::path& percorso) {
    Chiudi();
    if (percorso.empty()) return kErroreFileMancante;
    // Refuse anything but a regular file before opening it: opening a pipe or a device for
    // reading may block or have side effects.
    struct stat st {};
    if (::stat(percorso.c_str(), &st) != 0) return ErroreDiApertura(errno, percorso);
    if (!S_ISREG(st.st_mode)) return kErroreAccesso;
    // The entry may be swapped between the two calls: open without blocking and check again
    // what was actually opened.
    const int fd = ::open(percorso.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return ErroreDiApertura(errno, percorso);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return kErroreAccesso;
    }
    const int modo = ::fcntl(fd, F_GETFL);
    if (modo >= 0) ::fcntl(fd, F_SETFL, modo & ~O_NONBLOCK);
    fd_ = fd;
    dimensione_ = static_cast<std::uint64_t>(st.st_size);
    percorso_ = percorso;
    impronta_ = ImprontaDi(st);
    return 0;
}

std::ptrdiff_t SorgenteFilePiattaforma::Leggi(char* buffer, std::size_t capacity, int& errore) {
    if (fd_ < 0) {
        errore = kErroreAccesso;
        return -1;
    }
    for (;;) {
        const ssize_t letti = ::read(fd_, buffer, capacity);
        if (letti >= 0) return letti;
        if (errno == EINTR) continue;
        errore = ErroreDiLettura(errno);
        return -1;
    }
}

bool SorgenteFilePiattaforma::Cambiato() {
    // The open file may have been rewritten, or another file put in its place.
    struct stat aperto {};
    struct stat nome {};
    return fd_ < 0 || ::fstat(fd_, &aperto) != 0 || ::stat(percorso_.c_str(), &nome) != 0 ||
           ImprontaDi(aperto) != impronta_ || ImprontaDi(nome) != impronta_;
}

void SorgenteFilePiattaforma::Chiudi() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    dimensione_ = 0;
}

}  // namespace elencario
