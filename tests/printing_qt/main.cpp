#include <gtest/gtest.h>

#include <QApplication>

#include "printing/qt/AmbienteQt.h"

// The printer needs Qt's fonts and the progress window a widget application; no display. Set up
// as both programs set themselves up.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    elencario::ZittisciAvvisiQt();
    QApplication app(argc, argv);
    elencario::PreparaQt(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
