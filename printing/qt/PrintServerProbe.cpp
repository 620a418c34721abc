#include "printing/qt/PrintServerProbe.h"

#ifdef ELENCARIO_CUPS
#include <cups/cups.h>

#include <sys/socket.h>
#endif

namespace elencario {

#ifdef ELENCARIO_CUPS

namespace {

// Called by the client library when the answer is late: giving up ends the request.
int GiveUp(http_t*, void*) {
    return 0;
}

}  // namespace

bool PrintServerAnswers(std::chrono::milliseconds limite) {
    // Where the server is (CUPS_SERVER, client.conf, the local socket) is resolved by the
    // library exactly as the platform's printer look-up resolves it.
    int cancel = 0;
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                static_cast<int>(limite.count()), &cancel);
    if (http == nullptr) return false;
    httpSetTimeout(http, static_cast<double>(limite.count()) / 1000.0, GiveUp, nullptr);
    // A server without a default printer still answers, with an error status: that counts.
    ipp_t* risposta = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    const bool risponde = risposta != nullptr;
    ippDelete(risposta);
    httpClose(http);
    return risponde;
}

#else

bool PrintServerAnswers(std::chrono::milliseconds) {
    return true;
}

#endif

}  // namespace elencario
