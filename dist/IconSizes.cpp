// Writes the program icons of the hicolor theme: one picture scaled to each
// size asked for.
//
// Usage: icon_sizes SOURCE.png OUTPUT_FOLDER NAME SIZE...
// writes OUTPUT_FOLDER/<SIZE>x<SIZE>/apps/NAME.png for every size.
#include <QDir>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s SOURCE.png OUTPUT_FOLDER NAME SIZE...\n", argv[0]);
        return 2;
    }
    const QImage source(QString::fromLocal8Bit(argv[1]));
    if (source.isNull()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size <= 0 || size > 1024) {
            std::fprintf(stderr, "%s: bad size %s\n", argv[0], argv[i]);
            return 2;
        }
        const QImage icon = source.convertToFormat(QImage::Format_ARGB32)
                                .scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(output).arg(size);
        QSaveFile file(QStringLiteral("%1/%2.png").arg(folder, name));
        if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) || !icon.save(&file, "PNG") || !file.commit()) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
