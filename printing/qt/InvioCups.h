#pragma once

// Jobs handed to the print server ourselves, where printing goes through CUPS: every exchange
// with the server has a time limit, and its answer decides whether the job was printed.
// Compiled only where ELENCARIO_CUPS is defined.

#include <QPageLayout>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

namespace elencario {

// A destination of the print server and its default media (page size and the printable margins
// the destination reports), found with a time limit on every exchange.
struct DestinazioneCups {
    QString name;
    QPageLayout layout;  // the destination's default media, portrait, with its printable margins
    QString uri;         // where the server takes the destination's jobs
};

enum class EsitoCups { Accettato, Annullato, Fallito };

// The destination named `name`, a printer or a class of the server; the default one when `name`
// is empty. None when the server does not answer within `limit` or has no such destination, or
// when `keepGoing`, called while waiting for the server, returns false.
[[nodiscard]] std::optional<DestinazioneCups> CercaDestinazione(
    const QString& name, std::chrono::milliseconds limit,
    const std::function<bool()>& keepGoing = {});
[[nodiscard]] inline std::optional<DestinazioneCups> CercaDestinazionePredefinita(
    std::chrono::milliseconds limit, const std::function<bool()>& keepGoing = {}) {
    return CercaDestinazione({}, limit, keepGoing);
}

// Whether `name` can be the name of a destination: the server takes printable characters other
// than blanks, '/', '\\', '?', '#', quotes, up to 127 bytes.
[[nodiscard]] bool NomeDestinazioneValido(const QString& name);

// Sends the finished PDF `pdfFile` as one job named `title` to `destination`, for the server to
// print `copies` times. `keepGoing` is
// called often (between chunks of the upload and while waiting for the server); when it returns
// false the job is cancelled. Success means the server accepted the whole job. Any failure
// (server gone, refused, no answer for more than `limit`) cancels a job already created and
// returns Failed; nothing incomplete is ever printed.
[[nodiscard]] EsitoCups InviaPdf(const DestinazioneCups& destination, const QString& pdfFile,
                                 const QString& title, std::chrono::milliseconds limit,
                                 const std::function<bool()>& keepGoing, int copies = 1);

}  // namespace elencario
