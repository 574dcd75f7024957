#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <exception>

#include "app/main_window.h"
#include "app/station_window.h"
#include "app/message_box.h"
#include "app/qt_translations.h"

namespace {

// An error that escapes a handler is shown, and the tool goes on running.
class VekApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            vek::app::openBox({QString::fromUtf8(e.what()), applicationName(), QMessageBox::Critical, QMessageBox::Ok});
        } catch (...) {
            vek::app::openBox({QString(), applicationName(), QMessageBox::Critical, QMessageBox::Ok});
        }
        return false;
    }
};

bool displayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "vektool: no display found (DISPLAY is not set); run it on a desktop, or under Xvfb: "
                     "xvfb-run -a vektool\n");
        return 1;
    }
    VekApplication app(argc, argv);
    // The window and the command line share one data folder (the records,
    // the daily log) and the window keeps its settings under the same name.
    QApplication::setApplicationName(QStringLiteral("VekTool"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.vektool"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    vek::app::installQtTranslations();
    // vektool --station: the production station alone, on every port that appears.
    if (QCoreApplication::arguments().contains(QStringLiteral("--station"))) {
        vek::app::StationWindow::withLocalRecords()->show();
        return app.exec();
    }
    vek::app::MainWindow window;
    window.show();
    return app.exec();
}
