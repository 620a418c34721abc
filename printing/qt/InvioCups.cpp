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

using Clock = std::chrono::steady_clock;

// How often a silent server is looked at again, and keepGoing asked.
constexpr double kPollSeconds = 0.1;
constexpr qint64 kChunkBytes = 64 * 1024;
// Withdrawing a failed job from a server that answers must not double the wait.
constexpr int kWithdrawShare = 4;

// One connection to the print server, where the server is whatever the library resolves
// (CUPS_SERVER, client.conf, the local socket). Every wait on it ends when its exchange has
// gone on for the limit, or when keepGoing says to stop.
class Server {
  public:
    Server(std::chrono::milliseconds limit, const std::function<bool()>* keepGoing)
        : limit_(limit), keepGoing_(keepGoing) {
        Restart();
        const auto msec = static_cast<int>(std::clamp<std::int64_t>(limit.count(), 1, INT_MAX));
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, msec,
                             nullptr);
        if (http_ != nullptr) httpSetTimeout(http_, kPollSeconds, &Server::StillWaiting, this);
    }
    ~Server() { httpClose(http_); }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    [[nodiscard]] http_t* Http() const { return http_; }
    // The next exchange gets the whole limit again.
    void Restart() { deadline_ = Clock::now() + limit_; }
    // How an exchange that did not succeed ends.
    [[nodiscard]] EsitoCups Failure() const {
        return cancelled_ ? EsitoCups::Annullato : EsitoCups::Fallito;
    }
    // The server let an exchange go past the limit.
    [[nodiscard]] bool Silent() const { return silent_; }
    // Asks keepGoing, between chunks and while waiting; once told to stop, the job stays stopped.
    bool KeepGoing() {
        cancelled_ = cancelled_ || (keepGoing_ != nullptr && *keepGoing_ && !(*keepGoing_)());
        return !cancelled_;
    }

  private:
    // The library asks, after each pause of kPollSeconds without an answer, whether to wait on.
    static int StillWaiting(http_t*, void* data) {
        auto* server = static_cast<Server*>(data);
        if (!server->KeepGoing()) return 0;
        server->silent_ = Clock::now() >= server->deadline_;
        return server->silent_ ? 0 : 1;
    }

    std::chrono::milliseconds limit_;
    const std::function<bool()>* keepGoing_;
    Clock::time_point deadline_;
    bool cancelled_ = false;
    bool silent_ = false;
    http_t* http_ = nullptr;
};

// A destination as the server describes it, with what it supports.
class Destination {
  public:
    // The default destination: the user's choice (LPDEST, PRINTER, lpoptions), else the
    // server's. Asked by name, the library would look for it on the network without a limit.
    explicit Destination(http_t* http) : dest_(cupsGetNamedDest(http, nullptr, nullptr)) {
        if (dest_ != nullptr) info_ = cupsCopyDestInfo(http, dest_);
    }
    // The destination reached at `uri`, not yet described.
    Destination(const QString& name, const QString& uri)
        : name_(name.toUtf8()), uri_(uri.toUtf8()) {
        owned_.name = name_.data();
        owned_.num_options =
            cupsAddOption("printer-uri-supported", uri_.constData(), 0, &owned_.options);
        dest_ = &owned_;
    }
    ~Destination() {
        if (info_ != nullptr) cupsFreeDestInfo(info_);
        if (dest_ == &owned_) {
            cupsFreeOptions(owned_.num_options, owned_.options);
        } else if (dest_ != nullptr) {
            cupsFreeDests(1, dest_);
        }
    }
    Destination(const Destination&) = delete;
    Destination& operator=(const Destination&) = delete;

    bool Describe(http_t* http) {
        if (info_ == nullptr) info_ = cupsCopyDestInfo(http, dest_);
        return info_ != nullptr;
    }
    [[nodiscard]] bool Found() const { return info_ != nullptr; }
    [[nodiscard]] cups_dest_t* Dest() const { return dest_; }
    [[nodiscard]] cups_dinfo_t* Info() const { return info_; }

  private:
    QByteArray name_;
    QByteArray uri_;
    cups_dest_t owned_{};
    cups_dest_t* dest_ = nullptr;
    cups_dinfo_t* info_ = nullptr;
};

bool Succeeded(ipp_status_t status) {
    return status <= IPP_STATUS_OK_CONFLICTING;
}

// Uploads the document of job `job`; only the server's answer to the whole of it is success.
EsitoCups Upload(Server& server, const Destination& destination, int job, QFile& pdf,
                 const QString& title) {
    server.Restart();
    if (cupsStartDestDocument(server.Http(), destination.Dest(), destination.Info(), job,
                              title.toUtf8().constData(), CUPS_FORMAT_PDF, 0, nullptr,
                              1) != HTTP_STATUS_CONTINUE) {
        return server.Failure();
    }
    std::vector<char> chunk(kChunkBytes);
    for (;;) {
        const qint64 read = pdf.read(chunk.data(), kChunkBytes);
        if (read < 0) return EsitoCups::Fallito;
        if (read == 0) break;
        server.Restart();
        if (cupsWriteRequestData(server.Http(), chunk.data(), static_cast<std::size_t>(read)) !=
            HTTP_STATUS_CONTINUE) {
            return server.Failure();
        }
        if (!server.KeepGoing()) return EsitoCups::Annullato;
    }
    server.Restart();
    // With no answer at all the library leaves the status of the previous request: only a
    // whole answer of the server counts.
    if (!Succeeded(cupsFinishDestDocument(server.Http(), destination.Dest(), destination.Info())) ||
        httpGetStatus(server.Http()) != HTTP_STATUS_OK) {
        return server.Failure();
    }
    return EsitoCups::Accettato;
}

// Lets the held job `job` print.
bool Release(Server& server, const DestinazioneCups& destination, int job) {
    ipp_t* request = ippNewRequest(IPP_OP_RELEASE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 destination.uri.toUtf8().constData());
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    server.Restart();
    ipp_t* answer = cupsDoRequest(server.Http(), request, "/jobs/");
    const bool released = answer != nullptr && Succeeded(ippGetStatusCode(answer));
    ippDelete(answer);
    return released;
}

// Cancels job `job` on a connection of its own: the one of the upload may be mid-request.
void Withdraw(const DestinazioneCups& destination, int job, std::chrono::milliseconds limit) {
    Server server(limit / kWithdrawShare, nullptr);
    if (server.Http() == nullptr) return;
    Destination target(destination.name, destination.uri);
    cupsCancelDestJob(server.Http(), target.Dest(), job);
}

}  // namespace

bool NomeDestinazioneValido(const QString& name) {
    const QByteArray bytes = name.toUtf8();
    if (bytes.isEmpty() || bytes.size() > 127) return false;
    return std::ranges::none_of(bytes, [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u <= ' ' || u == 0x7f || std::strchr("/\\?#'\"", c) != nullptr;
    });
}

std::optional<DestinazioneCups> CercaDestinazione(const QString& name,
                                                  std::chrono::milliseconds limit,
                                                  const std::function<bool()>& keepGoing) {
    if (!name.isEmpty() && !NomeDestinazioneValido(name)) return std::nullopt;
    // One limit for the whole look-up: the server is only asked a few short questions.
    Server server(limit, &keepGoing);
    if (server.Http() == nullptr) return std::nullopt;
    std::unique_ptr<Destination> described;
    if (name.isEmpty()) {
        described = std::make_unique<Destination>(server.Http());
    } else {
        // Asked on this connection, at the server's own addresses for printers and for classes:
        // the library's look-up by name would go on to search the network.
        char host[256];
        httpGetHostname(server.Http(), host, sizeof host);
        for (const char* resource : {"/printers/%s", "/classes/%s"}) {
            char uri[HTTP_MAX_URI];
            httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, host, ippPort(),
                             resource, name.toUtf8().constData());
            described = std::make_unique<Destination>(name, QString::fromUtf8(uri));
            if (described->Describe(server.Http()) || !server.KeepGoing() || server.Silent()) break;
        }
    }
    const Destination& found = *described;
    if (!found.Found()) return std::nullopt;
    const cups_dest_t* dest = found.Dest();
    const char* uri = cupsGetOption("printer-uri-supported", dest->num_options, dest->options);
    // The media the server prints a job on when the job names none. Its name may be one of the
    // driver's own, so the sizes are read, in hundredths of a millimetre.
    ipp_t* media = ippGetCollection(
        cupsFindDestDefault(server.Http(), found.Dest(), found.Info(), "media-col"), 0);
    ipp_t* size =
        ippGetCollection(ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION), 0);
    const auto millimetres = [](ipp_t* collection, const char* name, double missing) {
        ipp_attribute_t* value = ippFindAttribute(collection, name, IPP_TAG_INTEGER);
        return value != nullptr ? ippGetInteger(value, 0) / 100.0 : missing;
    };
    const QSizeF page(millimetres(size, "x-dimension", 0), millimetres(size, "y-dimension", 0));
    const QMarginsF margins(
        millimetres(media, "media-left-margin", 0), millimetres(media, "media-top-margin", 0),
        millimetres(media, "media-right-margin", 0), millimetres(media, "media-bottom-margin", 0));
    if (uri == nullptr ||
        std::min({margins.left(), margins.top(), margins.right(), margins.bottom()}) < 0 ||
        page.width() <= margins.left() + margins.right() ||
        page.height() <= margins.top() + margins.bottom()) {
        return std::nullopt;
    }
    return DestinazioneCups{QString::fromUtf8(dest->name),
                            QPageLayout(QPageSize(page, QPageSize::Millimeter),
                                        QPageLayout::Portrait, margins, QPageLayout::Millimeter),
                            QString::fromUtf8(uri)};
}

EsitoCups InviaPdf(const DestinazioneCups& destination, const QString& pdfFile,
                   const QString& title, std::chrono::milliseconds limit,
                   const std::function<bool()>& keepGoing, int copies) {
    QFile pdf(pdfFile);
    if (!pdf.open(QIODevice::ReadOnly)) return EsitoCups::Fallito;
    int job = 0;
    EsitoCups outcome = EsitoCups::Fallito;
    bool withdraw = false;
    {
        Server server(limit, &keepGoing);
        if (server.Http() == nullptr) return EsitoCups::Fallito;
        Destination target(destination.name, destination.uri);
        if (!target.Describe(server.Http())) return server.Failure();
        // Created held: a document the server takes in after we gave up on it is never
        // printed. The job is let go once the server has confirmed the whole document. No
        // media is named: the server's default is the one the PDF was laid out for.
        cups_option_t* hold = nullptr;
        int holds = cupsAddOption("job-hold-until", "indefinite", 0, &hold);
        // The server makes the copies of the one job.
        holds = cupsAddIntegerOption("copies", copies, holds, &hold);
        server.Restart();
        const ipp_status_t created =
            cupsCreateDestJob(server.Http(), target.Dest(), target.Info(), &job,
                              title.toUtf8().constData(), holds, hold);
        cupsFreeOptions(holds, hold);
        if (!Succeeded(created) || job <= 0) return server.Failure();
        outcome = Upload(server, target, job, pdf, title);
        if (outcome == EsitoCups::Accettato && !Release(server, destination, job)) {
            outcome = server.Failure();
        }
        // A server that stopped answering would not answer the cancel either; the job it holds
        // stays held, and a document cut short is dropped once the connection closes here.
        withdraw = outcome != EsitoCups::Accettato && !server.Silent();
    }
    if (withdraw) Withdraw(destination, job, limit);
    return outcome;
}

}  // namespace elencario
