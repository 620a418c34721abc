#include "printing/win32/FileSostituito.h"

#include <windows.h>

#include <cerrno>
#include <random>

#include "systems/MotiviErrore.h"
#include "systems/Percorsi.h"

namespace elencario {

namespace {

using enum StatoStampa;

constexpr int kTentativi = 100;
constexpr const char* kFileVuoto = "la stampante non ha scritto nulla";

// The errno value that MotivoErrore words for a Windows error code.
int CodiceErrno(DWORD codice) {
    switch (codice) {
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return ENOENT;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EBUSY;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        default:
            return EIO;
    }
}

std::string TipoNonFile(const std::filesystem::path& file) {
    std::error_code e;
    return MotivoNonFile(std::filesystem::symlink_status(file, e).type());
}

}  // namespace

FileSostituito::FileSostituito(std::filesystem::path destinazione, Messaggio messaggio,
                               Fabbrica fabbrica)
    : destinazione_(std::move(destinazione)),
      messaggio_(std::move(messaggio)),
      fabbrica_(std::move(fabbrica)) {}

FileSostituito::~FileSostituito() {
    Abbandona();
}

StatoStampa FileSostituito::Fallisce(unsigned long codice) {
    if (motivo_.empty()) motivo_ = MotivoErrore(CodiceErrno(codice));
    Scarta();
    return Fallita;
}

StatoStampa FileSostituito::Prepara(const std::function<bool()>& continua) {
    destinazione_ = SeguiCollegamenti(destinazione_);
    if (motivo_ = TipoNonFile(destinazione_); !motivo_.empty()) return Fallita;
    const std::filesystem::path cartella =
        destinazione_.has_parent_path() ? destinazione_.parent_path() : ".";
    const std::wstring base = destinazione_.filename().wstring().substr(0, 200) + L".";
    std::random_device casuale;
    DWORD codice = ERROR_FILE_EXISTS;
    for (int i = 0; i < kTentativi && codice == ERROR_FILE_EXISTS; ++i) {
        provvisorio_ = cartella / (base + std::to_wstring(casuale()));
        HANDLE h = ::CreateFileW(provvisorio_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        codice = h == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }
    if (codice != ERROR_SUCCESS) {
        provvisorio_.clear();
        return Fallisce(codice);
    }
    dispositivo_ = fabbrica_(provvisorio_.wstring());
    const StatoStampa stato = dispositivo_->Prepara(continua);
    if (stato != Ok) Scarta();
    return stato;
}

void FileSostituito::Carattere(const std::string& nome, float punti) {
    dispositivo_->Carattere(nome, punti);
}

MisurePagina FileSostituito::Misure() {
    return dispositivo_->Misure();
}

double FileSostituito::Larghezza(std::string_view testo) {
    return dispositivo_->Larghezza(testo);
}

StatoStampa FileSostituito::Inizia() {
    return dispositivo_->Inizia();
}

StatoStampa FileSostituito::Disegna(double alto, std::string_view testo) {
    return dispositivo_->Disegna(alto, testo);
}

StatoStampa FileSostituito::NuovaPagina() {
    return dispositivo_->NuovaPagina();
}

StatoStampa FileSostituito::Termina(const std::function<bool()>& continua) {
    const StatoStampa stato = dispositivo_->Termina(continua);
    if (stato != Ok) {
        Abbandona();
        return stato;
    }
    // The device lets the file go before it is moved.
    dispositivo_.reset();
    // What took the target's place while the job ran is not replaced either, nor is anything
    // replaced by a file the printer left empty.
    std::error_code e;
    if (motivo_ = TipoNonFile(destinazione_); motivo_.empty()) {
        if (std::filesystem::file_size(provvisorio_, e) == 0 || e) motivo_ = kFileVuoto;
    }
    if (!motivo_.empty()) {
        Scarta();
        return Fallita;
    }
    if (!::MoveFileExW(provvisorio_.c_str(), destinazione_.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Fallisce(::GetLastError());
    }
    provvisorio_.clear();
    return Ok;
}

void FileSostituito::Abbandona() noexcept {
    if (dispositivo_) dispositivo_->Abbandona();
    Scarta();
}

void FileSostituito::Scarta() noexcept {
    if (provvisorio_.empty()) return;
    ::DeleteFileW(provvisorio_.c_str());
    provvisorio_.clear();
}

std::string FileSostituito::Errore() const {
    if (!motivo_.empty()) return messaggio_(motivo_);
    return dispositivo_ ? dispositivo_->Errore() : std::string();
}

}  // namespace elencario
