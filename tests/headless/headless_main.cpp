// One main for the tests that need no display at all: a QCoreApplication
// around GoogleTest, so nothing here can lean on a widget.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
