#include "verification_file_path.h"

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

QString verificationFilePath(const QString &dataFilePath, const QString &dataFolder,
                             const QString &dataName) {
    const QString fileName = QFileInfo(dataFilePath).fileName();
    const QString folder = dataFilePath.chopped(fileName.size()); // with its trailing separator
    QString path;
    if (fileName.size() >= 3) {
        path = folder + (fileName.endsWith(TmpSuffix, Qt::CaseInsensitive)
                             ? fileName + QLatin1Char('.') + TmpSuffix
                             : fileName.chopped(3) + TmpSuffix);
    } else {
        const QString name = fileNameOfDataName(dataName) + QLatin1Char('.') + TmpSuffix;
        if (!dataFilePath.isEmpty())
            path = folder + name;
        else
            path = QDir(dataFolder.isEmpty() ? QDir::homePath() : dataFolder).filePath(name);
    }
    while (sameFile(path, dataFilePath))
        path += QLatin1Char('.') + TmpSuffix;
    return path;
}
