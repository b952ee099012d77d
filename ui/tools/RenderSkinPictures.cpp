// Renders the skin's SVG picture sources to the PNG names the program uses:
// <svg folder>/a/b.svg -> <skin folder>/a/b.png (at the SVG's size) and b@2x.png (double size,
// used on scaled screens). Run after changing a source: zorvath_render_skin skin/svg skin
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool Render(QSvgRenderer& svg, const QString& target, int scale) {
    const QSize size = svg.defaultSize() * scale;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    return image.save(target, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <svg folder> <skin folder>\n", argv[0]);
        return 2;
    }
    const QDir sources(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    const QDir skin(QDir(QString::fromLocal8Bit(argv[2])).absolutePath());
    int failures = 0;
    QDirIterator it(sources.path(), {QStringLiteral("*.svg")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = sources.relativeFilePath(source);
        const QString base = skin.filePath(relative.chopped(4));
        QDir().mkpath(QFileInfo(base).path());
        QSvgRenderer svg(source);
        if (!svg.isValid() || !Render(svg, base + QStringLiteral(".png"), 1) ||
            !Render(svg, base + QStringLiteral("@2x.png"), 2)) {
            std::fprintf(stderr, "failed: %s\n", qPrintable(relative));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
