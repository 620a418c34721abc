#include <QApplication>

#include "app/Avvio.h"
#include "printing/TextPrinter.h"
#include "printing/qt/QtMessageService.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    elencario::QtMessageService messaggi;
    const std::string cartella = QCoreApplication::applicationDirPath().toStdString();
    return elencario::EseguiStampaElencario(
        app, cartella, messaggi, [] { return std::unique_ptr<elencario::TextPrinter>(); });
}
