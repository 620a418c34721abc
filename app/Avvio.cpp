#include "app/Avvio.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <cstdlib>

namespace elencario {

void SostituisciCaratteri() {
    const QString segoe = QStringLiteral("Segoe UI");
    if (!QFontDatabase::hasFamily(segoe))
        QFont::insertSubstitution(segoe, QStringLiteral("Open Sans"));
}

int EseguiStampaElencario(QApplication& app, const std::string& cartellaEseguibile,
                          MessageService& messaggi, FabbricaStampante fabbricaStampante) {
    SostituisciCaratteri();
    const auto finestra =
        FrmAmain::Apri(cartellaEseguibile, messaggi, std::move(fabbricaStampante));
    if (!finestra) return EXIT_FAILURE;
    finestra->show();
    finestra->CentraSulloSchermo();  // by its frame, known once shown
    return app.exec();
}

}  // namespace elencario
