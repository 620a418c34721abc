#include "printing/qt/InvioCups.h"

#include <cups/cups.h>

#include <sys/socket.h>

#include <QFile>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace elencario {

namespace {

using Orologio = std::chrono::steady_clock;

// How often a silent server is looked at again, and prosegui asked.
constexpr double kPausa = 0.1;
constexpr qint64 kBytePerPezzo = 64 * 1024;
// Withdrawing a failed job from a server that answers must not double the wait.
constexpr int kQuotaRitiro = 4;

// One connection to the print server, where the server is whatever the library resolves
// (CUPS_SERVER, client.conf, the local socket). Every wait on it ends when its exchange has
// gone on for the limit, or when prosegui says to stop.
class Collegamento {
  public:
    Collegamento(std::chrono::milliseconds limite, const std::function<bool()>* prosegui)
        : limite_(limite), prosegui_(prosegui) {
        Riparti();
        const auto msec = static_cast<int>(std::clamp<std::int64_t>(limite.count(), 1, INT_MAX));
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, msec,
                             nullptr);
        if (http_ != nullptr) httpSetTimeout(http_, kPausa, &Collegamento::AncoraInAttesa, this);
    }
    ~Collegamento() { httpClose(http_); }
    Collegamento(const Collegamento&) = delete;
    Collegamento& operator=(const Collegamento&) = delete;

    [[nodiscard]] http_t* Http() const { return http_; }
    // The next exchange gets the whole limit again.
    void Riparti() { scadenza_ = Orologio::now() + limite_; }
    // How an exchange that did not succeed ends.
    [[nodiscard]] EsitoCups Insuccesso() const {
        return annullato_ ? EsitoCups::Annullato : EsitoCups::Fallito;
    }
    // The server let an exchange go past the limit.
    [[nodiscard]] bool Muto() const { return muto_; }
    // Asks prosegui, between chunks and while waiting; once told to stop, the job stays stopped.
    bool Prosegui() {
        annullato_ = annullato_ || (prosegui_ != nullptr && *prosegui_ && !(*prosegui_)());
        return !annullato_;
    }

  private:
    // The library asks, after each pause of kPausa without an answer, whether to wait on.
    static int AncoraInAttesa(http_t*, void* dati) {
        auto* collegamento = static_cast<Collegamento*>(dati);
        if (!collegamento->Prosegui()) return 0;
        collegamento->muto_ = Orologio::now() >= collegamento->scadenza_;
        return collegamento->muto_ ? 0 : 1;
    }

    std::chrono::milliseconds limite_;
    const std::function<bool()>* prosegui_;
    Orologio::time_point scadenza_;
    bool annullato_ = false;
    bool muto_ = false;
    http_t* http_ = nullptr;
};

// A destination as the server describes it, with what it supports.
class DescrizioneDestinazione {
  public:
    // The default destination: the user's choice (LPDEST, PRINTER, lpoptions), else the
    // server's. Asked by name, the library would look for it on the network without a limit.
    explicit DescrizioneDestinazione(http_t* http)
        : voce_(cupsGetNamedDest(http, nullptr, nullptr)) {
        if (voce_ != nullptr) dettagli_ = cupsCopyDestInfo(http, voce_);
    }
    // The destination reached at `indirizzo`, not yet described.
    DescrizioneDestinazione(const QString& nome, const QString& indirizzo)
        : nome_(nome.toUtf8()), indirizzo_(indirizzo.toUtf8()) {
        propria_.name = nome_.data();
        propria_.num_options =
            cupsAddOption("printer-uri-supported", indirizzo_.constData(), 0, &propria_.options);
        voce_ = &propria_;
    }
    ~DescrizioneDestinazione() {
        if (dettagli_ != nullptr) cupsFreeDestInfo(dettagli_);
        if (voce_ == &propria_) {
            cupsFreeOptions(propria_.num_options, propria_.options);
        } else if (voce_ != nullptr) {
            cupsFreeDests(1, voce_);
        }
    }
    DescrizioneDestinazione(const DescrizioneDestinazione&) = delete;
    DescrizioneDestinazione& operator=(const DescrizioneDestinazione&) = delete;

    bool Descrivi(http_t* http) {
        if (dettagli_ == nullptr) dettagli_ = cupsCopyDestInfo(http, voce_);
        return dettagli_ != nullptr;
    }
    [[nodiscard]] bool Trovata() const { return dettagli_ != nullptr; }
    [[nodiscard]] cups_dest_t* Voce() const { return voce_; }
    [[nodiscard]] cups_dinfo_t* Dettagli() const { return dettagli_; }

  private:
    QByteArray nome_;
    QByteArray indirizzo_;
    cups_dest_t propria_{};
    cups_dest_t* voce_ = nullptr;
    cups_dinfo_t* dettagli_ = nullptr;
};

bool Riuscita(ipp_status_t stato) {
    return stato <= IPP_STATUS_OK_CONFLICTING;
}

// Uploads the document of job `lavoro`; only the server's answer to the whole of it is success.
EsitoCups InviaDocumento(Collegamento& collegamento, const DescrizioneDestinazione& destinazione,
                         int lavoro, QFile& pdf, const QString& titolo) {
    collegamento.Riparti();
    if (cupsStartDestDocument(collegamento.Http(), destinazione.Voce(), destinazione.Dettagli(),
                              lavoro, titolo.toUtf8().constData(), CUPS_FORMAT_PDF, 0, nullptr,
                              1) != HTTP_STATUS_CONTINUE) {
        return collegamento.Insuccesso();
    }
    std::vector<char> pezzo(kBytePerPezzo);
    for (;;) {
        const qint64 letti = pdf.read(pezzo.data(), kBytePerPezzo);
        if (letti < 0) return EsitoCups::Fallito;
        if (letti == 0) break;
        collegamento.Riparti();
        if (cupsWriteRequestData(collegamento.Http(), pezzo.data(),
                                 static_cast<std::size_t>(letti)) != HTTP_STATUS_CONTINUE) {
            return collegamento.Insuccesso();
        }
        if (!collegamento.Prosegui()) return EsitoCups::Annullato;
    }
    collegamento.Riparti();
    // With no answer at all the library leaves the status of the previous request: only a
    // whole answer of the server counts.
    if (!Riuscita(cupsFinishDestDocument(collegamento.Http(), destinazione.Voce(),
                                         destinazione.Dettagli())) ||
        httpGetStatus(collegamento.Http()) != HTTP_STATUS_OK) {
        return collegamento.Insuccesso();
    }
    return EsitoCups::Accettato;
}

// Lets the held job `lavoro` print.
bool Rilascia(Collegamento& collegamento, const DestinazioneCups& destinazione, int lavoro) {
    ipp_t* richiesta = ippNewRequest(IPP_OP_RELEASE_JOB);
    ippAddString(richiesta, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 destinazione.indirizzo.toUtf8().constData());
    ippAddInteger(richiesta, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", lavoro);
    ippAddString(richiesta, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    collegamento.Riparti();
    ipp_t* risposta = cupsDoRequest(collegamento.Http(), richiesta, "/jobs/");
    const bool rilasciato = risposta != nullptr && Riuscita(ippGetStatusCode(risposta));
    ippDelete(risposta);
    return rilasciato;
}

// Cancels job `lavoro` on a connection of its own: the one of the upload may be mid-request.
void RitiraLavoro(const DestinazioneCups& destinazione, int lavoro,
                  std::chrono::milliseconds limite) {
    Collegamento collegamento(limite / kQuotaRitiro, nullptr);
    if (collegamento.Http() == nullptr) return;
    DescrizioneDestinazione bersaglio(destinazione.nome, destinazione.indirizzo);
    cupsCancelDestJob(collegamento.Http(), bersaglio.Voce(), lavoro);
}

}  // namespace

bool NomeDestinazioneValido(const QString& nome) {
    const QByteArray byte = nome.toUtf8();
    if (byte.isEmpty() || byte.size() > 127) return false;
    return std::ranges::none_of(byte, [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u <= ' ' || u == 0x7f || std::strchr("/\\?#'\"", c) != nullptr;
    });
}

std::optional<DestinazioneCups> CercaDestinazione(const QString& nome,
                                                  std::chrono::milliseconds limite,
                                                  const std::function<bool()>& prosegui) {
    if (!nome.isEmpty() && !NomeDestinazioneValido(nome)) return std::nullopt;
    // One limit for the whole look-up: the server is only asked a few short questions.
    Collegamento collegamento(limite, &prosegui);
    if (collegamento.Http() == nullptr) return std::nullopt;
    std::unique_ptr<DescrizioneDestinazione> descritta;
    if (nome.isEmpty()) {
        descritta = std::make_unique<DescrizioneDestinazione>(collegamento.Http());
    } else {
        // Asked on this connection, at the server's own addresses for printers and for classes:
        // the library's look-up by name would go on to search the network.
        char nomeServer[256];
        httpGetHostname(collegamento.Http(), nomeServer, sizeof nomeServer);
        for (const char* risorsa : {"/printers/%s", "/classes/%s"}) {
            char indirizzo[HTTP_MAX_URI];
            httpAssembleURIf(HTTP_URI_CODING_ALL, indirizzo, sizeof indirizzo, "ipp", nullptr,
                             nomeServer, ippPort(), risorsa, nome.toUtf8().constData());
            descritta =
                std::make_unique<DescrizioneDestinazione>(nome, QString::fromUtf8(indirizzo));
            if (descritta->Descrivi(collegamento.Http()) || !collegamento.Prosegui() ||
                collegamento.Muto())
                break;
        }
    }
    const DescrizioneDestinazione& trovata = *descritta;
    if (!trovata.Trovata()) return std::nullopt;
    const cups_dest_t* voce = trovata.Voce();
    const char* indirizzo =
        cupsGetOption("printer-uri-supported", voce->num_options, voce->options);
    // The media the server prints a job on when the job names none. Its name may be one of the
    // driver's own, so the sizes are read, in hundredths of a millimetre.
    ipp_t* supporto = ippGetCollection(
        cupsFindDestDefault(collegamento.Http(), trovata.Voce(), trovata.Dettagli(), "media-col"),
        0);
    ipp_t* dimensioni =
        ippGetCollection(ippFindAttribute(supporto, "media-size", IPP_TAG_BEGIN_COLLECTION), 0);
    const auto millimetri = [](ipp_t* raccolta, const char* nome, double mancante) {
        ipp_attribute_t* valore = ippFindAttribute(raccolta, nome, IPP_TAG_INTEGER);
        return valore != nullptr ? ippGetInteger(valore, 0) / 100.0 : mancante;
    };
    const QSizeF pagina(millimetri(dimensioni, "x-dimension", 0),
                        millimetri(dimensioni, "y-dimension", 0));
    const QMarginsF margini(millimetri(supporto, "media-left-margin", 0),
                            millimetri(supporto, "media-top-margin", 0),
                            millimetri(supporto, "media-right-margin", 0),
                            millimetri(supporto, "media-bottom-margin", 0));
    if (indirizzo == nullptr ||
        std::min({margini.left(), margini.top(), margini.right(), margini.bottom()}) < 0 ||
        pagina.width() <= margini.left() + margini.right() ||
        pagina.height() <= margini.top() + margini.bottom()) {
        return std::nullopt;
    }
    return DestinazioneCups{QString::fromUtf8(voce->name),
                            QPageLayout(QPageSize(pagina, QPageSize::Millimeter),
                                        QPageLayout::Portrait, margini, QPageLayout::Millimeter),
                            QString::fromUtf8(indirizzo)};
}

EsitoCups InviaPdf(const DestinazioneCups& destinazione, const QString& percorsoPdf,
                   const QString& titolo, std::chrono::milliseconds limite,
                   const std::function<bool()>& prosegui, int copie) {
    QFile pdf(percorsoPdf);
    if (!pdf.open(QIODevice::ReadOnly)) return EsitoCups::Fallito;
    int lavoro = 0;
    EsitoCups esito = EsitoCups::Fallito;
    bool daRitirare = false;
    {
        Collegamento collegamento(limite, &prosegui);
        if (collegamento.Http() == nullptr) return EsitoCups::Fallito;
        DescrizioneDestinazione bersaglio(destinazione.nome, destinazione.indirizzo);
        if (!bersaglio.Descrivi(collegamento.Http())) return collegamento.Insuccesso();
        // Created held: a document the server takes in after we gave up on it is never
        // printed. The job is let go once the server has confirmed the whole document. No
        // media is named: the server's default is the one the PDF was laid out for.
        cups_option_t* opzioniLavoro = nullptr;
        int quanteOpzioni = cupsAddOption("job-hold-until", "indefinite", 0, &opzioniLavoro);
        // The server makes the copies of the one job.
        quanteOpzioni = cupsAddIntegerOption("copies", copie, quanteOpzioni, &opzioniLavoro);
        collegamento.Riparti();
        const ipp_status_t creato =
            cupsCreateDestJob(collegamento.Http(), bersaglio.Voce(), bersaglio.Dettagli(), &lavoro,
                              titolo.toUtf8().constData(), quanteOpzioni, opzioniLavoro);
        cupsFreeOptions(quanteOpzioni, opzioniLavoro);
        if (!Riuscita(creato) || lavoro <= 0) return collegamento.Insuccesso();
        esito = InviaDocumento(collegamento, bersaglio, lavoro, pdf, titolo);
        if (esito == EsitoCups::Accettato && !Rilascia(collegamento, destinazione, lavoro)) {
            esito = collegamento.Insuccesso();
        }
        // A server that stopped answering would not answer the cancel either; the job it holds
        // stays held, and a document cut short is dropped once the connection closes here.
        daRitirare = esito != EsitoCups::Accettato && !collegamento.Muto();
    }
    if (daRitirare) RitiraLavoro(destinazione, lavoro, limite);
    return esito;
}

}  // namespace elencario
