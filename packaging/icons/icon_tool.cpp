// Renders the hand-drawn SVG of the window icon to the icon theme's PNG sizes,
// and checks that the PNGs in the tree are that rendering and that the SVG
// still looks like the icon the window draws in code.
//
//   vek-icons render SVG DIR SIZE...   writes DIR/<N>x<N>/apps/<svg name>.png
//   vek-icons check SVG DIR SIZE...    compares, prints the differences, exit 1 on a mismatch

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/glyphs.h"

namespace {

// Mean difference per channel on the 0-255 scale. The SVG and the window's
// own drawing differ by antialiasing alone (0.12 at 16 x 16); one end of the
// V moved by 6 % of the icon costs 3.3, another blue 36.
constexpr double kLimit = 1.0;

QImage render(QSvgRenderer& svg, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    return image;
}

std::optional<double> meanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return std::nullopt;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            sum += std::abs(qAlpha(p[col]) - qAlpha(q[col])) + std::abs(qRed(p[col]) - qRed(q[col])) +
                   std::abs(qGreen(p[col]) - qGreen(q[col])) + std::abs(qBlue(p[col]) - qBlue(q[col]));
        }
    }
    return sum / (4.0 * x.width() * x.height());
}

QString pngPath(const QString& dir, const QString& name, int size) {
    return QStringLiteral("%1/%2x%2/apps/%3.png").arg(dir).arg(size).arg(name);
}

int usage() {
    std::fprintf(stderr, "usage: vek-icons render|check SVG DIR SIZE...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 5) return usage();
    const QString mode = args[1];
    const QString svgPath = args[2];
    const QString dir = args[3];
    std::vector<int> sizes;
    for (qsizetype i = 4; i < args.size(); ++i) {
        bool ok = false;
        const int size = args[i].toInt(&ok);
        if (!ok || size < 1 || size > 1024) return usage();
        sizes.push_back(size);
    }
    QSvgRenderer svg(svgPath);
    if (!svg.isValid()) {
        std::fprintf(stderr, "vek-icons: %s is not a readable SVG\n", qPrintable(svgPath));
        return 2;
    }
    const QString name = QFileInfo(svgPath).completeBaseName();

    if (mode == QLatin1String("render")) {
        for (int size : sizes) {
            const QString path = pngPath(dir, name, size);
            QDir().mkpath(QFileInfo(path).path());
            if (!render(svg, size).save(path, "PNG")) {
                std::fprintf(stderr, "vek-icons: cannot write %s\n", qPrintable(path));
                return 1;
            }
            std::printf("%s\n", qPrintable(path));
        }
        return 0;
    }
    if (mode != QLatin1String("check")) return usage();

    const QIcon window = vek::app::windowIcon();
    const QList<QSize> drawn = window.availableSizes();
    bool good = true;
    int compared = 0;
    for (int size : sizes) {
        const QImage fresh = render(svg, size);
        const QString path = pngPath(dir, name, size);
        const QImage stored(path);
        const std::optional<double> toStored = meanDifference(stored, fresh);
        std::printf("%3dx%-3d  PNG in the tree vs the SVG: ", size, size);
        if (toStored) {
            std::printf("%5.2f", *toStored);
        } else {
            std::printf("missing or of another size (%s)", qPrintable(path));
        }
        if (!toStored || *toStored > kLimit) good = false;
        if (drawn.contains(QSize(size, size))) {
            const std::optional<double> toWindow =
                meanDifference(window.pixmap(QSize(size, size)).toImage(), fresh);
            std::printf("   the SVG vs the window's icon: %5.2f", toWindow.value_or(255.0));
            if (!toWindow || *toWindow > kLimit) good = false;
            ++compared;
        }
        std::printf("\n");
    }
    if (compared == 0) {
        std::printf("the window draws its icon at none of these sizes: nothing to compare the SVG with\n");
        good = false;
    }
    std::printf("%s (mean difference per channel, 0-255; limit %.1f)\n",
                good ? "icons match" : "ICONS DIFFER: fix the SVG, then `cmake --build . --target icons`", kLimit);
    return good ? 0 : 1;
}
