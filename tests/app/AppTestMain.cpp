#include <gtest/gtest.h>

#include <QApplication>

#include "printing/qt/Caratteri.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");  // the tests move the focus and click on their own
    QApplication app(argc, argv);
    elencario::SostituisciCaratteriMancanti();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
