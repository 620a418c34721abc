#include <gtest/gtest.h>

#include <QApplication>

#include "printing/qt/AmbienteQt.h"

// Set up as both programs set themselves up, with no display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    elencario::ZittisciAvvisiQt();
    QApplication app(argc, argv);
    elencario::PreparaQt(app);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
