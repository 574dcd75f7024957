// One main for the tests that need no display at all: a QCoreApplication
// around GoogleTest, so nothing here can lean on a widget.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    // Copies a controller keeps go to a data folder of the run's own, never
    // the user's.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
