// File access for Windows: system files are opened only when they are files on a disk, and
// folders are told by the directory attribute.
#include <windows.h>

#include "systems/NumeriErrore.h"
#include "systems/Percorsi.h"
#include "systems/SorgenteFilePiattaforma.h"

namespace elencario {

namespace {

constexpr DWORD kAttributoCartella = 16;  // FILE_ATTRIBUTE_DIRECTORY

int ErroreDiApertura(DWORD codice) {
    switch (codice) {
        case ERROR_FILE_NOT_FOUND:
            return kErroreFileMancante;
        case ERROR_PATH_NOT_FOUND:
            return kErroreCartella;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return kErrorePermesso;
        case ERROR_NOT_READY:
            return kErroreDiscoNonPronto;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return kErroreNomeFile;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return kErroreMemoria;
        case ERROR_TOO_MANY_OPEN_FILES:
            return kErroreTroppiFile;
        default:
            return kErroreAccesso;
    }
}

// False when the file system does not say.
bool ImprontaDi(HANDLE h, SorgenteFilePiattaforma::Impronta& impronta) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(h, &info)) return false;
    const auto unisci = [](DWORD alta, DWORD bassa) {
        return (static_cast<std::uint64_t>(alta) << 32) | bassa;
    };
    impronta = {info.dwVolumeSerialNumber, unisci(info.nFileIndexHigh, info.nFileIndexLow),
                unisci(info.nFileSizeHigh, info.nFileSizeLow),
                static_cast<std::int64_t>(unisci(info.ftLastWriteTime.dwHighDateTime,
                                                 info.ftLastWriteTime.dwLowDateTime))};
    return true;
}

}  // namespace

int SorgenteFilePiattaforma::Apri(const std::filesystem::path& percorso) {
    Chiudi();
    if (percorso.empty()) return kErroreFileMancante;
    const DWORD attributi = ::GetFileAttributesW(percorso.c_str());
    if (attributi == INVALID_FILE_ATTRIBUTES) return ErroreDiApertura(::GetLastError());
    if ((attributi & kAttributoCartella) != 0) return kErroreAccesso;
    HANDLE h = ::CreateFileW(percorso.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ErroreDiApertura(::GetLastError());
    LARGE_INTEGER dimensione{};
    if (::GetFileType(h) != FILE_TYPE_DISK || !::GetFileSizeEx(h, &dimensione) ||
        !ImprontaDi(h, impronta_)) {
        ::CloseHandle(h);
        return kErroreAccesso;
    }
    handle_ = h;
    dimensione_ = static_cast<std::uint64_t>(dimensione.QuadPart);
    percorso_ = percorso;
    return 0;
}

std::ptrdiff_t SorgenteFilePiattaforma::Leggi(char* buffer, std::size_t capacity, int& errore) {
    if (handle_ == nullptr) {
        errore = kErroreAccesso;
        return -1;
    }
    const DWORD richiesti = capacity > 0x40000000u ? 0x40000000u : static_cast<DWORD>(capacity);
    DWORD letti = 0;
    if (!::ReadFile(static_cast<HANDLE>(handle_), buffer, richiesti, &letti, nullptr)) {
        const DWORD codice = ::GetLastError();
        errore = codice == ERROR_NOT_ENOUGH_MEMORY ? kErroreMemoria : kErroreDispositivo;
        return -1;
    }
    return static_cast<std::ptrdiff_t>(letti);
}

bool SorgenteFilePiattaforma::Cambiato() {
    // The open file may have been rewritten, or another file put in its place.
    Impronta aperto;
    if (handle_ == nullptr || !ImprontaDi(static_cast<HANDLE>(handle_), aperto) ||
        aperto != impronta_) {
        return true;
    }
    // A file removed while open keeps its name until the last handle closes.
    FILE_STANDARD_INFO standard{};
    if (!::GetFileInformationByHandleEx(static_cast<HANDLE>(handle_), FileStandardInfo, &standard,
                                        sizeof standard) ||
        standard.DeletePending) {
        return true;
    }
    HANDLE nome =
        ::CreateFileW(percorso_.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (nome == INVALID_HANDLE_VALUE) return true;
    Impronta attuale;
    const bool uguale = ImprontaDi(nome, attuale) && attuale == impronta_;
    ::CloseHandle(nome);
    return !uguale;
}

void SorgenteFilePiattaforma::Chiudi() {
    if (handle_ != nullptr) ::CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
    dimensione_ = 0;
}

}  // namespace elencario
