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
    QString nome;
    QPageLayout pagina;  // the destination's default media, portrait, with its printable margins
    QString indirizzo;   // where the server takes the destination's jobs
};

enum class EsitoCups { Accettato, Annullato, Fallito };

// The destination named `nome`, a printer or a class of the server; the default one when `nome`
// is empty. None when the server does not answer within `limite` or has no such destination, or
// when `prosegui`, called while waiting for the server, returns false.
[[nodiscard]] std::optional<DestinazioneCups> CercaDestinazione(
    const QString& nome, std::chrono::milliseconds limite,
    const std::function<bool()>& prosegui = {});
[[nodiscard]] inline std::optional<DestinazioneCups> CercaDestinazionePredefinita(
    std::chrono::milliseconds limite, const std::function<bool()>& prosegui = {}) {
    return CercaDestinazione({}, limite, prosegui);
}

// Whether `nome` can be the name of a destination: the server takes printable characters other
// than blanks, '/', '\\', '?', '#', quotes, up to 127 bytes.
[[nodiscard]] bool NomeDestinazioneValido(const QString& nome);

// Sends the finished PDF `percorsoPdf` as one job named `titolo` to `destinazione`, for the server
// to print `copie` times. `prosegui` is called often (between chunks of the upload and while
// waiting for the server); when it returns false the job is cancelled. Success means the server
// accepted the whole job. Any failure (server gone, refused, no answer for more than `limite`)
// cancels a job already created and returns Failed; nothing incomplete is ever printed.
[[nodiscard]] EsitoCups InviaPdf(const DestinazioneCups& destinazione, const QString& percorsoPdf,
                                 const QString& titolo, std::chrono::milliseconds limite,
                                 const std::function<bool()>& prosegui, int copie = 1);

}  // namespace elencario
