#include "sim_options.h"

#include <QCommandLineParser>

namespace {

const QString Description = QStringLiteral(
    "A simulated ECU on a pseudo-terminal. It answers as the ECU does on its line (9600 baud,\n"
    "8N1, half duplex): the echo of every byte, the two handshake stages, read replies and\n"
    "write acknowledges, its own contents kept in the protected areas. A program that sets the\n"
    "line to another speed gets only its echo. It runs until SIGINT or SIGTERM and then saves\n"
    "its memory to the --memory file, when one is given.\n"
    "\n"
    "Faults fire once, at their first occasion, unless said otherwise. AT is B or C (a\n"
    "handshake stage) or a number n: the n-th data frame (read or write request) after the\n"
    "handshake, counted from 1. A write runs 2 product-code reads, 1 marker write, 211 word\n"
    "writes and 224 read-back requests; a read runs 224 requests. WORD is a word address in\n"
    "hex (20..FF).");

struct Options {
    QCommandLineOption link{QStringLiteral("link"),
                            QStringLiteral("Make PATH a symlink to the slave device (required)."),
                            QStringLiteral("PATH")};
    QCommandLineOption memory{
        QStringLiteral("memory"),
        QStringLiteral("The ECU's memory: loaded from FILE when it exists (else a neutral "
                       "calibration), saved to FILE at exit."),
        QStringLiteral("FILE.E2P")};
    QCommandLineOption paced{QStringLiteral("paced"),
                             QStringLiteral("Hold each byte for its time at 9600 baud "
                                            "(about 1.042 ms), as on the real line.")};
    QCommandLineOption loseEcho{QStringLiteral("lose-echo-byte"),
                                QStringLiteral("The last byte of frame AT is lost on the line: "
                                               "not echoed, and the ECU waits for it."),
                                QStringLiteral("AT")};
    QCommandLineOption changeEcho{QStringLiteral("change-echo-byte"),
                                  QStringLiteral("The echo of the last byte of frame AT comes "
                                                 "back changed."),
                                  QStringLiteral("AT")};
    QCommandLineOption badChecksum{
        QStringLiteral("bad-checksum"),
        QStringLiteral("The first N replies to each read of a word (of WORD only, when given) "
                       "carry a wrong checksum; counted anew after each handshake. Not once."),
        QStringLiteral("N[@WORD]")};
    QCommandLineOption silentAt{QStringLiteral("silent-at"),
                                QStringLiteral("No answer at handshake stage B or C."),
                                QStringLiteral("B|C")};
    QCommandLineOption wrongAnswer{QStringLiteral("wrong-answer"),
                                   QStringLiteral("A wrong answer at handshake stage B or C."),
                                   QStringLiteral("B|C")};
    QCommandLineOption productCode{
        QStringLiteral("product-code"),
        QStringLiteral("The first four characters of the ECU's marker (another product)."),
        QStringLiteral("CODE")};
    QCommandLineOption silentAfter{
        QStringLiteral("silent-after"),
        QStringLiteral("After N data frames the cable to the ECU is pulled: the line still "
                       "echoes, the ECU hears nothing until the line was quiet for 0.5 s."),
        QStringLiteral("N")};
    QCommandLineOption wrongAck{QStringLiteral("wrong-ack"),
                                QStringLiteral("The acknowledge of data frame N is wrong."),
                                QStringLiteral("N")};
    QCommandLineOption lineEvent{
        QStringLiteral("line-event"),
        QStringLiteral("A line event with data frame N. KIND: break, framing, overrun, "
                       "overflow, parity, cd, cts, dsr, ring. A pseudo-terminal carries no "
                       "line events: only an in-process simulator (EcuSimRunner) can hand "
                       "them to the program."),
        QStringLiteral("KIND@N")};
    QCommandLineOption hangupAfter{
        QStringLiteral("hangup-after"),
        QStringLiteral("After N data frames the device goes away (a pulled USB adapter); a new "
                       "one appears under the link path."),
        QStringLiteral("N")};
    QCommandLineOption stuckWord{
        QStringLiteral("stuck-word"),
        QStringLiteral("Word WORD acknowledges writes but keeps its contents. Not once."),
        QStringLiteral("WORD")};

    void addTo(QCommandLineParser &parser) const {
        parser.addOptions({link, memory, paced, loseEcho, changeEcho, badChecksum, silentAt,
                           wrongAnswer, productCode, silentAfter, wrongAck, lineEvent, hangupAfter,
                           stuckWord});
    }
};

std::optional<int> positive(const QString &text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

std::optional<int> wordAddress(QString text) {
    if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        text = text.mid(2);
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    return ok && value >= EcuFirstWordAddress && value <= EcuLastWordAddress
               ? std::optional<int>(value)
               : std::nullopt;
}

std::optional<HandshakeStage> stage(const QString &text) {
    if (text.compare(QStringLiteral("B"), Qt::CaseInsensitive) == 0)
        return HandshakeStage::B;
    if (text.compare(QStringLiteral("C"), Qt::CaseInsensitive) == 0)
        return HandshakeStage::C;
    return std::nullopt;
}

std::optional<FaultPoint> faultPoint(const QString &text) {
    if (const auto s = stage(text))
        return FaultPoint{
            *s == HandshakeStage::B ? FaultPoint::Kind::StageB : FaultPoint::Kind::StageC, 0};
    if (const auto n = positive(text))
        return FaultPoint{FaultPoint::Kind::DataFrame, *n};
    return std::nullopt;
}

std::optional<LineEventKind> lineEventKind(const QString &text) {
    static const std::pair<const char *, LineEventKind> kinds[] = {
        {"break", LineEventKind::Break},     {"framing", LineEventKind::Framing},
        {"overrun", LineEventKind::Overrun}, {"overflow", LineEventKind::Overflow},
        {"parity", LineEventKind::Parity},   {"cd", LineEventKind::CarrierDetect},
        {"cts", LineEventKind::ClearToSend}, {"dsr", LineEventKind::DataSetReady},
        {"ring", LineEventKind::Ring},
    };
    for (const auto &[name, kind] : kinds) {
        if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return std::nullopt;
}

QString invalid(const QCommandLineOption &option, const QString &value) {
    return QStringLiteral("invalid value for --%1: \"%2\"").arg(option.names().constFirst(), value);
}

} // namespace

QString simHelpText() {
    QCommandLineParser parser;
    parser.setApplicationDescription(Description);
    parser.addHelpOption();
    Options().addTo(parser);
    return parser.helpText();
}

SimCommandLine parseSimArguments(const QStringList &args) {
    SimCommandLine result;
    QCommandLineParser parser;
    parser.setApplicationDescription(Description);
    const QCommandLineOption help = parser.addHelpOption();
    const Options o;
    o.addTo(parser);
    if (!parser.parse(args)) {
        result.error = parser.errorText();
        return result;
    }
    if (parser.isSet(help)) {
        result.help = true;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = QStringLiteral("unexpected argument: %1")
                           .arg(parser.positionalArguments().constFirst());
        return result;
    }
    EcuSimConfig &config = result.config;
    SimFaults &faults = config.faults;
    config.linkPath = parser.value(o.link);
    if (config.linkPath.isEmpty()) {
        result.error = QStringLiteral("--link PATH is required");
        return result;
    }
    result.memoryFile = parser.value(o.memory);
    config.paced = parser.isSet(o.paced);

    // Each option's value, checked; the first bad one is reported.
    auto take = [&](const QCommandLineOption &option, auto convert, auto &into) {
        if (!result.error.isEmpty() || !parser.isSet(option))
            return;
        const QString value = parser.value(option);
        if (const auto converted = convert(value))
            into = *converted;
        else
            result.error = invalid(option, value);
    };
    take(o.loseEcho, faultPoint, faults.loseEchoByte);
    take(o.changeEcho, faultPoint, faults.changeEchoByte);
    take(o.silentAt, stage, faults.silentAt);
    take(o.wrongAnswer, stage, faults.wrongAnswerAt);
    take(o.silentAfter, positive, faults.silentAfter);
    take(o.wrongAck, positive, faults.wrongAcknowledgeAt);
    take(o.hangupAfter, positive, faults.hangupAfter);
    take(o.stuckWord, wordAddress, faults.stuckWord);
    take(
        o.productCode,
        [](const QString &value) {
            return value.size() == 4 ? std::optional<QString>(value) : std::nullopt;
        },
        faults.productCode);
    using BadChecksums = std::pair<int, std::optional<int>>;
    BadChecksums badChecksums{0, std::nullopt};
    take(
        o.badChecksum,
        [](const QString &value) -> std::optional<BadChecksums> {
            const QStringList parts = value.split(QLatin1Char('@'));
            const auto count = positive(parts.constFirst());
            if (!count || parts.size() > 2)
                return std::nullopt;
            if (parts.size() == 1)
                return BadChecksums{*count, std::nullopt};
            const auto word = wordAddress(parts.at(1));
            if (!word)
                return std::nullopt;
            return BadChecksums{*count, word};
        },
        badChecksums);
    faults.badChecksums = badChecksums.first;
    faults.badChecksumWord = badChecksums.second;
    take(
        o.lineEvent,
        [](const QString &value) -> std::optional<LineEventFault> {
            const QStringList parts = value.split(QLatin1Char('@'));
            if (parts.size() != 2)
                return std::nullopt;
            const auto kind = lineEventKind(parts.at(0));
            const auto frame = positive(parts.at(1));
            if (!kind || !frame)
                return std::nullopt;
            return LineEventFault{*kind, *frame};
        },
        faults.lineEvent);
    return result;
}
