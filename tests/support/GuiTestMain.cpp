// main() of the GUI tests: a QApplication on the offscreen platform with the program's entry
// guard, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include "widgets/EntryGuard.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vorn::installEntryGuard();  // as the program does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
