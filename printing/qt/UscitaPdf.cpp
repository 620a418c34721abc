#include "printing/qt/UscitaPdf.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>

#include "systems/MotiviErrore.h"
#include "systems/Percorsi.h"
#include "systems/Testi.h"

namespace elencario {

namespace {

constexpr std::size_t kBuffer = 1 << 16;

std::filesystem::file_type Tipo(const std::filesystem::path& percorso) {
    std::error_code e;
    return std::filesystem::symlink_status(percorso, e).type();
}

}  // namespace

UscitaPdf::UscitaPdf(std::filesystem::path file)
    : destinazione_(std::move(file)),
      nome_(testi::IlFilePdf(destinazione_.native())),
      file_(true) {}

UscitaPdf::UscitaPdf(int descrittore, std::string nome)
    : nome_(std::move(nome)), descrittore_(descrittore) {}

UscitaPdf::~UscitaPdf() {
    Annulla();
}

std::string UscitaPdf::Errore() const {
    return testi::ImpossibileScrivere(nome_, Fallita() ? motivo_ : testi::kErroreDiScrittura);
}

bool UscitaPdf::Fallisce(int codice) {
    if (motivo_.empty()) motivo_ = MotivoErrore(codice);
    return false;
}

bool UscitaPdf::Apri() {
    if (isOpen()) return true;
    annullato_ = false;
    if (file_) {
        destinazione_ = SeguiCollegamenti(destinazione_);
        if (motivo_ = MotivoNonFile(Tipo(destinazione_)); !motivo_.empty()) return false;
        struct stat prima {};
        const bool esiste = ::stat(destinazione_.c_str(), &prima) == 0;
        const std::filesystem::path cartella =
            destinazione_.has_parent_path() ? destinazione_.parent_path() : ".";
        const std::string base = destinazione_.filename().native().substr(0, 200) + ".";
        int codice = EEXIST;
        for (int tentativo = 0; tentativo < 100 && codice == EEXIST; ++tentativo) {
            provvisorio_ =
                cartella / (base + std::to_string(QRandomGenerator::system()->generate()));
            descrittore_ =
                ::open(provvisorio_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            codice = descrittore_ < 0 ? errno : 0;
        }
        if (descrittore_ < 0) return Fallisce(codice);
        // The new file keeps the permissions of the one it replaces.
        if (esiste && ::fchmod(descrittore_, prima.st_mode & 07777) != 0) {
            const int e = errno;
            Annulla();
            return Fallisce(e);
        }
    }
    buffer_.reserve(kBuffer);
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 UscitaPdf::writeData(const char* dati, qint64 dimensione) {
    if (annullato_ || Fallita()) return -1;
    buffer_.insert(buffer_.end(), dati, dati + dimensione);
    if (buffer_.size() >= kBuffer && !Svuota()) return -1;
    return dimensione;
}

bool UscitaPdf::Svuota() {
    std::size_t scritti = 0;
    while (scritti < buffer_.size()) {
        const ssize_t n = ::write(descrittore_, buffer_.data() + scritti, buffer_.size() - scritti);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Fallisce(n < 0 ? errno : EIO);
        scritti += static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return true;
}

bool UscitaPdf::Conferma() {
    if (!isOpen() || annullato_ || Fallita() || !Svuota()) return false;
    if (!file_) return true;
    if (::fsync(descrittore_) != 0) return Fallisce(errno);
    const int chiuso = ::close(descrittore_);
    descrittore_ = -1;
    if (chiuso != 0) return Fallisce(errno);
    // What took the target's place since it was opened is not replaced either.
    if (motivo_ = MotivoNonFile(Tipo(destinazione_)); !motivo_.empty()) return false;
    if (std::rename(provvisorio_.c_str(), destinazione_.c_str()) != 0) return Fallisce(errno);
    provvisorio_.clear();
    QIODevice::close();
    return true;
}

void UscitaPdf::Annulla() noexcept {
    annullato_ = true;
    buffer_.clear();
    if (!file_) return;
    if (descrittore_ >= 0) ::close(descrittore_);
    descrittore_ = -1;
    if (!provvisorio_.empty()) ::unlink(provvisorio_.c_str());
    provvisorio_.clear();
}

}  // namespace elencario
