#include "printing/qt/AmbienteQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>

#include "printing/qt/Caratteri.h"

namespace elencario {

namespace {

void SoloErroriGravi(QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo) {
    if (tipo != QtCriticalMsg && tipo != QtFatalMsg) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(tipo, contesto, testo)));
}

}  // namespace

void ZittisciAvvisiQt() {
    qInstallMessageHandler(SoloErroriGravi);
}

bool PreparaQt(QCoreApplication& applicazione) {
    SostituisciCaratteriMancanti();
    // Owned by the application, so it lasts as long as the texts it translates.
    auto* traduttore = new QTranslator(&applicazione);
    const bool caricata =
        traduttore->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!caricata || !QCoreApplication::installTranslator(traduttore)) {
        delete traduttore;
        return false;
    }
    return true;
}

}  // namespace elencario
