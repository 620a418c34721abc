#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <vector>

namespace elencario {

// Tells when the entries of one folder change on the disk: created, removed or renamed, the
// folder itself removed or renamed included. A burst of changes gives one notice, shortly
// after the last of them.
class OsservatoreCartella final : public QObject {
    Q_OBJECT
  public:
    explicit OsservatoreCartella(QObject* genitore);
    OsservatoreCartella(const OsservatoreCartella&) = delete;
    OsservatoreCartella& operator=(const OsservatoreCartella&) = delete;
    ~OsservatoreCartella() override;

    // Watches `cartella` (and its parent, which sees it renamed) instead of what was watched.
    void Osserva(const std::filesystem::path& cartella);

  signals:
    void cambiata();

  private:
    void Lascia();

    QFileSystemWatcher osservatore_;
    QTimer attesa_;
#ifndef _WIN32
    std::vector<int> aperte_;  // the folders held open so that their watch names are plain text
#endif
};

}  // namespace elencario
