#include "history_folder.h"

#include "e2p_reader.h"
#include "e2p_writer.h"
#include "file_writing.h"
#include "image/image_fingerprint.h"
#include "operator.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <tuple>

namespace {

struct KindNames {
    HistoryKind kind;
    QLatin1StringView name;      // in the entry's file name
    QLatin1StringView inComment; // "ECU data <inComment> <port> on <when>"
    QLatin1StringView inMessage; // "The calibration <inMessage> could not be kept ..."
};

// Every kind of entry: a new kind is one more line here.
constexpr KindNames Kinds[] = {
    {HistoryKind::Read, QLatin1StringView("read"), QLatin1StringView("read from"),
     QLatin1StringView("read")},
    {HistoryKind::Written, QLatin1StringView("written"), QLatin1StringView("written to"),
     QLatin1StringView("written")},
    {HistoryKind::BeforeWrite, QLatin1StringView("before-write"),
     QLatin1StringView("read before a write from"), QLatin1StringView("read before the write")},
};

const KindNames &namesOf(HistoryKind kind) {
    return *std::find_if(std::begin(Kinds), std::end(Kinds),
                         [kind](const KindNames &names) { return names.kind == kind; });
}

const QString MillisecondsFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss.zzz");

// How far the number of an entry kept in an already taken millisecond goes.
constexpr int MaxNumber = 999;

// Exactly the names the folder gives its entries: date, time to the millisecond (to the
// second in older entries), kind, and from "-2" on a number when the name was taken.
const QRegularExpression &entryPattern() {
    static const QRegularExpression pattern = [] {
        QStringList kinds;
        for (const KindNames &names : Kinds)
            kinds << QRegularExpression::escape(names.name);
        return QRegularExpression(
            QStringLiteral(
                "^(?<stamp>(\\d{4})-(\\d{2})-(\\d{2})_(\\d{2})-(\\d{2})-(\\d{2})"
                "(?:\\.(\\d{3}))?)_(?<kind>%1)(?:-(?<number>[2-9]|[1-9]\\d{1,2}))?\\.E2P$")
                .arg(kinds.join(QLatin1Char('|'))));
    }();
    return pattern;
}

struct OwnEntry {
    QString name;
    QString stamp; // as in the name
    QDate date;
    QTime time;
    int number = 1;
    HistoryKind kind = HistoryKind::Read;
};

// The folder's own entries, oldest first: by time stamp, then by the number within the same
// stamp. Only regular files count: a link or a device is never one of them, whatever its
// name, and neither is a name whose date or time does not exist.
std::vector<OwnEntry> ownEntries(const QString &path) {
    std::vector<OwnEntry> own;
    const QStringList names =
        QDir(path).entryList({QStringLiteral("*.E2P")}, QDir::Files | QDir::NoSymLinks);
    for (const QString &name : names) {
        const auto match = entryPattern().match(name);
        const auto number = [&match](int group) { return match.captured(group).toInt(); };
        // Read from the numbers: parsing the text with a format takes far longer.
        OwnEntry entry{name, match.captured(u"stamp"), QDate(number(2), number(3), number(4)),
                       QTime(number(5), number(6), number(7), number(8))};
        if (!match.hasMatch() || !entry.date.isValid() || !entry.time.isValid())
            continue;
        if (match.hasCaptured(u"number"))
            entry.number = match.captured(u"number").toInt();
        for (const KindNames &kind : Kinds) {
            if (match.captured(u"kind") == kind.name)
                entry.kind = kind.kind;
        }
        own.push_back(entry);
    }
    std::sort(own.begin(), own.end(), [](const OwnEntry &a, const OwnEntry &b) {
        return std::tie(a.stamp, a.number, a.name) < std::tie(b.stamp, b.number, b.name);
    });
    return own;
}

} // namespace

QString historyKindName(HistoryKind kind) {
    return namesOf(kind).name;
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
    const KindNames &names = namesOf(kind);
    const QString comment =
        QStringLiteral("ECU data %1 %2 on %3, %4")
            .arg(names.inComment, port, when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                 fingerprintText(image));
    const QByteArray contents = e2pFileContents(image, E2PComment::fromText(comment));

    // Another program or window may keep an entry in the same millisecond: a name is taken
    // only by creating its file, never by replacing one.
    const QString stem = when.toString(MillisecondsFormat) + QLatin1Char('_') + names.name;
    QString path = folder.filePath(stem + QStringLiteral(".E2P"));
    FileWriteResult written = writeNewFile(path, contents);
    for (int n = 2; written.pathTaken && n <= MaxNumber; ++n) {
        path = folder.filePath(stem + QStringLiteral("-%1.E2P").arg(n));
        written = writeNewFile(path, contents);
    }
    if (!written.ok)
        return {
            false, {}, QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), written.error)};
    prune();
    return {true, path, {}};
}

void HistoryFolder::prune() {
    const std::vector<OwnEntry> own = ownEntries(m_path);
    QDir folder(m_path);
    for (std::size_t i = 0; i + Kept < own.size(); ++i)
        folder.remove(own[i].name);
}

std::vector<HistoryEntry> HistoryFolder::entries() const {
    std::vector<HistoryEntry> entries;
    const std::vector<OwnEntry> own = ownEntries(m_path);
    const QDir folder(m_path);
    for (auto entry = own.crbegin(); entry != own.crend(); ++entry) {
        HistoryEntry kept;
        kept.path = folder.filePath(entry->name);
        kept.when = QDateTime(entry->date, entry->time);
        kept.kind = entry->kind;
        const E2PReadResult read = readE2PFile(kept.path);
        if (read.ok) {
            kept.dataName = ecuDataName(read.image).trimmed();
            kept.crc32 = imageCrc32(read.image);
            kept.commentFirstLine = read.commentText.section(QStringLiteral("\r\n"), 0, 0);
        }
        entries.push_back(kept);
    }
    return entries;
}

bool keepInHistory(HistoryFolder &history, const EcuImage &image, HistoryKind kind,
                   const QString &port, Operator &op) {
    const HistoryFolder::Saved saved = history.keep(image, kind, port);
    if (!saved.ok)
        op.tell(QStringLiteral("The calibration %1 could not be kept in the history:\n%2")
                    .arg(namesOf(kind).inMessage, saved.error),
                MessageIcon::Exclamation);
    return saved.ok;
}
