#include "tmp_path.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString TmpSuffix = QStringLiteral("TMP");

QString fileNameOfDataName(const QString &dataName) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString name;
    for (QChar c : dataName) {
        const bool printable = c.unicode() > 0x20 && c.unicode() < 0x7F;
        name +=
            (printable && !forbidden.contains(c)) || c == QLatin1Char(' ') ? c : QLatin1Char('_');
    }
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        name = QStringLiteral("ECUDATA");
    return name;
}

bool sameFile(const QString &a, const QString &b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

QString TmpPath(const QString &e2pFilePath, const QString &e2pFileDir, const QString &dataName) {
    const QString fileName = QFileInfo(e2pFilePath).fileName();
    const QString folder = e2pFilePath.chopped(fileName.size()); // with its trailing separator
    QString path;
    if (fileName.size() >= 3) {
        path = folder + (fileName.endsWith(TmpSuffix, Qt::CaseInsensitive)
                             ? fileName + QLatin1Char('.') + TmpSuffix
                             : fileName.chopped(3) + TmpSuffix);
    } else {
        const QString name = fileNameOfDataName(dataName) + QLatin1Char('.') + TmpSuffix;
        if (!e2pFilePath.isEmpty())
            path = folder + name;
        else
            path = QDir(e2pFileDir.isEmpty() ? QDir::homePath() : e2pFileDir).filePath(name);
    }
    while (sameFile(path, e2pFilePath))
        path += QLatin1Char('.') + TmpSuffix;
    return path;
}
