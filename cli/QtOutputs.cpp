#include "cli/QtOutputs.h"

#include <QGuiApplication>
#include <QString>

#include "printing/qt/QtTextPrinter.h"

namespace elencario {

QtOutputs::QtOutputs() = default;

QtOutputs::~QtOutputs() = default;

UsciteStampa QtOutputs::Uscite() {
    UsciteStampa uscite;
    uscite.pdf = [this](const std::string& file) -> std::unique_ptr<TextPrinter> {
        StartQt();
        return QtTextPrinter::ForPdf(QString::fromStdString(file));
    };
    uscite.stampante = [this]() -> std::unique_ptr<TextPrinter> {
        StartQt();
        return std::make_unique<QtTextPrinter>();
    };
    return uscite;
}

void QtOutputs::StartQt() {
    if (app_) return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const bool noDisplay =
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && noDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

}  // namespace elencario
