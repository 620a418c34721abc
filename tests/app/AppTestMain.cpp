#include <gtest/gtest.h>

#include <QApplication>

#include "app/Avvio.h"

int main(int argc, char** argv) {
    // Never on a real display: the tests move the focus and click on their own.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    elencario::SostituisciCaratteri();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
