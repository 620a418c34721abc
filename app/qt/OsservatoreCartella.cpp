#include "app/qt/OsservatoreCartella.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace elencario {

namespace {

constexpr int kAttesaMs = 150;

}  // namespace

OsservatoreCartella::OsservatoreCartella(QObject* genitore) : QObject(genitore) {
    attesa_.setSingleShot(true);
    attesa_.setInterval(kAttesaMs);
    connect(&osservatore_, &QFileSystemWatcher::directoryChanged, &attesa_,
            [this] { attesa_.start(); });
    connect(&attesa_, &QTimer::timeout, this, &OsservatoreCartella::cambiata);
}

OsservatoreCartella::~OsservatoreCartella() {
    Lascia();
}

void OsservatoreCartella::Osserva(const std::filesystem::path& cartella) {
    Lascia();
    std::vector<std::filesystem::path> cartelle{cartella};
    if (cartella.has_relative_path()) cartelle.push_back(cartella.parent_path());
    QStringList nomi;
    for (const std::filesystem::path& p : cartelle) {
#ifdef _WIN32
        nomi << QString::fromStdWString(p.native());
#else
        // Qt takes a watched name as text, which cannot hold every byte a POSIX name may have;
        // the folder's descriptor under /proc names the same folder in plain ASCII.
        const int fd = ::open(p.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        aperte_.push_back(fd);
        nomi << QStringLiteral("/proc/self/fd/%1").arg(fd);
#endif
    }
    if (!nomi.isEmpty()) osservatore_.addPaths(nomi);
}

void OsservatoreCartella::Lascia() {
    if (!osservatore_.directories().isEmpty()) osservatore_.removePaths(osservatore_.directories());
#ifndef _WIN32
    for (const int fd : aperte_) ::close(fd);
    aperte_.clear();
#endif
}

}  // namespace elencario
