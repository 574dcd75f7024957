# Headers most of our sources include, parsed once per target (or once for a
# family of targets that share their compile flags) instead of once per file.
# Named class headers, not whole Qt modules: a module's umbrella header makes
# a precompiled header of hundreds of megabytes that costs more to write and
# load than it saves. Only system, Qt and GoogleTest headers: ours change too
# often. -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without them.

set(VEK_PCH_STD <algorithm> <array> <chrono> <functional> <map> <memory> <optional>
  <string> <utility> <vector>)

set(VEK_PCH_QT_CORE ${VEK_PCH_STD}
  <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QElapsedTimer> <QFile>
  <QFileInfo> <QJsonArray> <QJsonDocument> <QJsonObject> <QList> <QLocale>
  <QObject> <QPointer> <QSettings> <QStandardPaths> <QString> <QStringList>
  <QTimer> <QVariant>)

set(VEK_PCH_QT_WIDGETS ${VEK_PCH_QT_CORE}
  <QApplication> <QCheckBox> <QComboBox> <QFileDialog> <QHeaderView> <QKeyEvent>
  <QLabel> <QLineEdit> <QMenu> <QMessageBox> <QProgressBar> <QPushButton>
  <QTableWidget> <QTextEdit> <QVBoxLayout> <QWidget>)

set(VEK_PCH_TESTS <gtest/gtest.h> <QTemporaryDir> <QProcess> <QRegularExpression> <QTest>)

