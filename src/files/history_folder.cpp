#include "history_folder.h"

#include "e2p_reader.h"
#include "e2p_writer.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QString StampFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");

// The names the folder gives its entries; a second entry within the same second gets "-2", ...
const QRegularExpression &entryPattern() {
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2})_(read|written)(?:-(\\d+))?\\.E2P$"));
    return pattern;
}

// Oldest first: by time stamp, then by the number within the same second.
bool older(const QString &a, const QString &b) {
    const auto ma = entryPattern().match(a);
    const auto mb = entryPattern().match(b);
    if (ma.captured(1) != mb.captured(1))
        return ma.captured(1) < mb.captured(1);
    return ma.captured(3).toInt() < mb.captured(3).toInt();
}

} // namespace

QString historyKindName(HistoryKind kind) {
    return kind == HistoryKind::Read ? QStringLiteral("read") : QStringLiteral("written");
}

QString HistoryFolder::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/QZ3ROK/history");
}

HistoryFolder::HistoryFolder(QString path)
    : m_path(std::move(path)) {}

HistoryFolder::Saved HistoryFolder::keep(const EcuImage &image, HistoryKind kind,
                                         const QString &port, const QDateTime &when) {
    QDir folder(m_path);
    if (!folder.mkpath(QStringLiteral("."))) {
        return {
            false,
            {},
            QStringLiteral("%1: the folder cannot be made").arg(QDir::toNativeSeparators(m_path))};
    }
    const QString stem = when.toString(StampFormat) + QLatin1Char('_') + historyKindName(kind);
    QString name = stem + QStringLiteral(".E2P");
    for (int n = 2; folder.exists(name); ++n)
        name = stem + QStringLiteral("-%1.E2P").arg(n);
    const QString path = folder.filePath(name);
    const QString comment =
        QStringLiteral("ECU data %1 %2 %3 on %4")
            .arg(kind == HistoryKind::Read ? QStringLiteral("read") : QStringLiteral("written"),
                 kind == HistoryKind::Read ? QStringLiteral("from") : QStringLiteral("to"), port,
                 when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    const FileWriteResult written =
        writeFileSafely(path, e2pFileContents(image, E2PComment::fromText(comment)));
    if (!written.ok)
        return {
            false, {}, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), written.error)};
    prune();
    return {true, path, {}};
}

QStringList HistoryFolder::entryNames() const {
    QStringList names;
    const QStringList all = QDir(m_path).entryList({QStringLiteral("*.E2P")}, QDir::Files);
    for (const QString &name : all) {
        if (entryPattern().match(name).hasMatch())
            names << name;
    }
    std::sort(names.begin(), names.end(), older);
    return names;
}

void HistoryFolder::prune() {
    const QStringList names = entryNames();
    QDir folder(m_path);
    for (qsizetype i = 0; i + Kept < names.size(); ++i)
        folder.remove(names[i]);
}

std::vector<HistoryEntry> HistoryFolder::entries() const {
    std::vector<HistoryEntry> entries;
    const QStringList names = entryNames();
    const QDir folder(m_path);
    for (auto name = names.crbegin(); name != names.crend(); ++name) {
        const auto match = entryPattern().match(*name);
        HistoryEntry entry;
        entry.path = folder.filePath(*name);
        entry.when = QDateTime::fromString(match.captured(1), StampFormat);
        entry.kind =
            match.captured(2) == QStringLiteral("read") ? HistoryKind::Read : HistoryKind::Written;
        const HexReadResult read = HEX_Data_read(entry.path);
        if (read.HexReadOk) {
            entry.dataName = EcuDataName(read.image).trimmed();
            entry.commentFirstLine = read.CommentText.section(QStringLiteral("\r\n"), 0, 0);
        }
        entries.push_back(entry);
    }
    return entries;
}
