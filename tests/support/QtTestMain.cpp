#include <QApplication>

#include "printing/qt/AmbienteQt.h"

// Qt set up as both programs set themselves up, off screen: the tests move the focus and click.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    elencario::ZittisciAvvisiQt();
    QApplication applicazione(argc, argv);
    elencario::PreparaQt(applicazione);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
