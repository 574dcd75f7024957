// One main for every integration test: a QApplication (offscreen unless a
// display is asked for) around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Offscreen, a desktop's 1920 x 1080 screen rather than the platform's
    // 800 x 600, so the window is laid out as on a technician's computer
    // (QT_SCALE_FACTOR then shows it at another scale).
    QTemporaryFile screens;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open()) {
        screens.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080,
                          "logicalDpi": 96, "logicalBaseDpi": 96}]})");
        screens.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
