// Renders the help file's drawings (SVG) into the PNG pictures that the help pages show, since
// help viewers do not all show SVG.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: make_help_images OUTPUT_DIR DRAWING.svg...\n";
        return 2;
    }
    const QDir out(args.at(1));
    for (const QString& svg : args.mid(2)) {
        QSvgRenderer renderer(svg);
        if (!renderer.isValid() || renderer.defaultSize().isEmpty()) {
            QTextStream(stderr) << "cannot read drawing " << svg << '\n';
            return 1;
        }
        QImage image(renderer.defaultSize(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString png =
            out.filePath(QFileInfo(svg).completeBaseName() + QStringLiteral(".png"));
        if (!image.save(png, "PNG")) {
            QTextStream(stderr) << "cannot write " << png << '\n';
            return 1;
        }
    }
    return 0;
}
