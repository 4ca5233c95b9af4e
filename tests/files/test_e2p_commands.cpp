#include "files/e2p_commands.h"
#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "recording_operator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The image stores its marker with the bytes of each pair swapped: "ZQR3KO" reads "QZ3ROK".
EcuImage markedImage(const char *stored = "ZQR3KO") {
    EcuImage image;
    for (int offset = 0; offset < DataNameOffset; ++offset)
        image.setByte(offset, static_cast<std::uint8_t>(offset % 251));
    image.setByte(IdleNeOffset, 8);
    for (int i = 0; i < 6; ++i)
        image.setByte(DataTypeOffset + i, static_cast<std::uint8_t>(stored[i]));
    return image;
}

class E2PCommands : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("s.ini")));
    }

    QString writeFile(const QString &name, const QByteArray &contents) {
        EXPECT_TRUE(writeFileSafely(m_dir.filePath(name), contents).ok);
        return m_dir.filePath(name);
    }

    [[nodiscard]] LastFile lastFile() const { return readLastFile(*m_settings); }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_settings;
    RecordingOperator m_operator;
    ScriptedFileDialogs m_dialogs;
    E2PFileState m_state{QStringLiteral("/old/OLD.E2P"), QStringLiteral("/old"),
                         QStringLiteral("OLD.E2P")};
};

// Save puts the file's name into the image and tells "File save ended" once the window shows
// it; Open gives the file back decoded. Each makes it the current file and remembers it.
TEST_F(E2PCommands, SaveAndOpenMakeTheFileCurrentAndRememberIt) {
    const E2PFileState old = m_state;
    // Any folder will do; only the file's name goes into the image.
    const QString folder = m_dir.filePath(QStringLiteral("m\u00fcller"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/RACE1.E2P");
    const auto expectCurrent = [&](const QString &name) {
        EXPECT_EQ(m_state.filePath, folder + QLatin1Char('/') + name);
        EXPECT_EQ(m_state.folder, folder);
        EXPECT_EQ(m_state.fileName, name);
        EXPECT_EQ(lastFile().path, folder + QLatin1Char('/') + name);
        EXPECT_EQ(lastFile().dir, folder);
        EXPECT_EQ(lastFile().name, name);
    };
    EcuImage image = markedImage();
    m_dialogs.choose(path);
    qsizetype messagesWhenShown = -1;
    const SaveOutcome saved =
        saveE2PFile(m_state, image, E2PComment::fromText(QStringLiteral("line 1\r\nline 2")),
                    m_dialogs, m_operator, *m_settings, [&](const SaveOutcome &outcome) {
                        messagesWhenShown = outcome.saved() ? m_operator.messages.size() : -1;
                    });
    ASSERT_TRUE(saved.saved());
    EXPECT_EQ(messagesWhenShown, 0);
    EXPECT_EQ(m_operator.messages,
              (QList<ToldMessage>{{QStringLiteral("File save ended"), MessageIcon::None}}));
    EXPECT_EQ(ecuDataName(image), QStringLiteral("RACE1   "));
    EXPECT_EQ(saved.dataName, QStringLiteral("RACE1"));
    EXPECT_EQ(readE2PFile(path).image, image);
    expectCurrent(QStringLiteral("RACE1.E2P"));

    // Opened under another name in a later session: the data name is the file's.
    m_state = old;
    m_settings = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("later.ini")));
    m_operator = RecordingOperator();
    ASSERT_TRUE(QFile::copy(path, folder + QStringLiteral("/RACE2.E2P")));
    m_dialogs.choose(folder + QStringLiteral("/RACE2.E2P"));
    const OpenOutcome opened = openE2PFile(m_state, m_dialogs, m_operator, *m_settings);
    ASSERT_TRUE(opened.accepted());
    EXPECT_TRUE(m_operator.messages.isEmpty());
    EXPECT_EQ(opened.dataName, QStringLiteral("RACE2"));
    EXPECT_TRUE(opened.fileTime.isValid());
    EXPECT_EQ(opened.commentText, QStringLiteral("line 1\r\nline 2"));
    EXPECT_EQ(opened.data.tables.IdleNeText, QStringLiteral("1600"));
    // Decoded: the unused bytes are cleared, the rest as in the file.
    EXPECT_EQ(opened.data.image.byte(70), 0);
    EXPECT_EQ(opened.data.image.byte(100), image.byte(100));
    expectCurrent(QStringLiteral("RACE2.E2P"));

    // Both dialogs start in the current file's folder and show E2P files.
    ASSERT_EQ(m_dialogs.saveRequests.size(), 1);
    ASSERT_EQ(m_dialogs.openRequests.size(), 1);
    for (const FileDialogRequest &asked :
         {m_dialogs.saveRequests.front(), m_dialogs.openRequests.front()}) {
        EXPECT_EQ(asked.filter, QStringLiteral("E2P(*.E2P)"));
        EXPECT_EQ(asked.defaultSuffix, QStringLiteral("E2P"));
        EXPECT_EQ(asked.startFolder, QStringLiteral("/old"));
    }
    EXPECT_EQ(m_dialogs.saveRequests.front().title, QStringLiteral("file save"));
    EXPECT_EQ(m_dialogs.openRequests.front().title, QStringLiteral("Read file select"));
}

// A command that is cancelled, refused or fails tells one message and changes nothing: not the
// image, not the current file, not the settings; nor does it write a file. "@" in a message
// stands for the chosen path; LOOP.E2P is a symlink to itself, FIFO.E2P a FIFO.
struct FailedCommand {
    const char *name;
    bool saving;
    const char *chosen;                 // the dialog's choice; nullptr: cancelled
    std::optional<QByteArray> contents; // of the chosen file, when there is one
    FileCommandResult result;
    ToldMessage told;
};

FailedCommand failed(const char *name, bool saving, const char *chosen,
                     std::optional<QByteArray> contents, FileCommandResult result,
                     const QString &text, MessageIcon icon, const QString &detail = {}) {
    return {name, saving, chosen, std::move(contents), result, {text, icon, false, detail}};
}

class FailedCommands : public E2PCommands, public testing::WithParamInterface<FailedCommand> {};

TEST_P(FailedCommands, TellOneMessageAndChangeNothing) {
    const FailedCommand &c = GetParam();
    const QString path = c.chosen ? m_dir.filePath(QString::fromUtf8(c.chosen)) : QString();
    if (c.chosen)
        m_dialogs.choose(path);
    if (c.contents)
        writeFile(QString::fromUtf8(c.chosen), *c.contents);
    ASSERT_TRUE(
        QFile::link(QStringLiteral("LOOP.E2P"), m_dir.filePath(QStringLiteral("LOOP.E2P"))));
    ASSERT_EQ(
        mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("FIFO.E2P"))).constData(), 0600), 0);
    EcuImage image = markedImage();
    const FileCommandResult result =
        c.saving ? saveE2PFile(m_state, image, {}, m_dialogs, m_operator, *m_settings).result
                 : openE2PFile(m_state, m_dialogs, m_operator, *m_settings).result;
    EXPECT_EQ(result, c.result);
    ToldMessage told = c.told;
    told.text.replace(QLatin1Char('@'), path);
    told.detail.replace(QLatin1Char('@'), path);
    EXPECT_EQ(m_operator.messages, QList<ToldMessage>{told});
    EXPECT_EQ(image, markedImage());
    EXPECT_EQ(m_state.filePath, QStringLiteral("/old/OLD.E2P"));
    EXPECT_EQ(lastFile().path, NoLastFile);
    EXPECT_EQ(QFileInfo(path).isFile(), c.contents.has_value());
}

using enum FileCommandResult;
const auto Plain = MessageIcon::None;
const auto Critical = MessageIcon::Critical;
const std::string LongName = std::string(300, 'N') + ".E2P";

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedCommands,
    testing::Values(
        failed("OpenCancelled", false, nullptr, {}, Cancelled, FileOperationNotEnded, Plain),
        failed("OpenMissing", false, "NONE.E2P", {}, NotFound, FileNotFound, Plain,
               QStringLiteral("@")),
        failed("OpenSymlinkLoop", false, "LOOP.E2P", {}, Rejected,
               QStringLiteral("@\nToo many levels of symbolic links"), Critical),
        failed("OpenNameTooLong", false, LongName.c_str(), {}, Rejected,
               QStringLiteral("@\nFile name too long"), Critical),
        failed("OpenMalformed", false, "BAD.E2P",
               QByteArray(":0101E000AB00\r\n:00000001FF\r\nx\r\ny\r\n"), Rejected,
               QStringLiteral("file format is incorrect."), Critical),
        failed("OpenMarkerInPlainOrder", false, "BAD.E2P",
               e2pFileContents(markedImage("QZ3ROK"), {}), Rejected, EcuDataTypeIncorrect,
               Critical),
        failed("SaveCancelled", true, nullptr, {}, Cancelled, FileOperationNotEnded, Plain),
        failed("SaveNameOutsideAscii", true, "caf\u00e9.E2P", {}, Refused, FileOperationNotEnded,
               Plain,
               QStringLiteral("caf\u00e9.E2P: the file name is stored in the data, so it may hold "
                              "ASCII characters only.")),
        failed("SaveIntoAMissingFolder", true, "none/RACE1.E2P", {}, Failed,
               QStringLiteral("@\nNo such file or directory"), Critical),
        failed("SaveOntoAFifo", true, "FIFO.E2P", {}, Failed,
               QStringLiteral("@\nNot a regular file"), Critical)),
    [](const auto &param) { return std::string(param.param.name); });

// Files travel between PCs with different character sets: an unedited comment is saved with the
// bytes it was read with, an edited one as UTF-8. A plain-text box gives some characters back
// changed (a no-break space as a blank, a lone LF as a line end); that alone is no edit.
TEST_F(E2PCommands, ACommentIsSavedWithItsBytesUntilItIsEdited) {
    const struct {
        QByteArray bytes;
        QString text;
        QString boxText; // null: the text itself
    } cases[] = {
        {"Fi +2% \xC2\xB0 C", QStringLiteral("Fi +2% \u00b0 C"), {}},
        {"\x72\xE9\x67\x80\x20\xFF\xFE", QStringLiteral("r\u00e9g\u20ac \u00ff\u00fe"), {}},
        {"\x83\x65\x83\x58\x83\x67", QStringLiteral("\u0192e\u0192X\u0192g"), {}},
        {"\x80", QStringLiteral("\u20ac"), {}},
        {"\x81\x8D\x8F\x90\x9D", QStringLiteral("\u0081\u008d\u008f\u0090\u009d"), {}},
        {"first\r\nsecond\r\n", QStringLiteral("first\r\nsecond\r\n"), {}},
        {"", QString(), {}},
        {"a\xA0 b\nc", QStringLiteral("a\u00a0 b\nc"), QStringLiteral("a  b\r\nc")}};
    const QByteArray records = hexRecords(markedImage()) + "<<<Comment Start>>>\r\n";
    const QString path = m_dir.filePath(QStringLiteral("NEW.E2P"));
    for (const auto &c : cases) {
        m_dialogs.choose(writeFile(QStringLiteral("OLD.E2P"), records + c.bytes + "\r\n"));
        const OpenOutcome opened = openE2PFile(m_state, m_dialogs, m_operator, *m_settings);
        ASSERT_TRUE(opened.accepted());
        EXPECT_EQ(opened.commentText, c.text);
        const QString edited = c.text + QStringLiteral(" \u00b1");
        for (const auto &[boxText, bytes] :
             {std::pair{c.boxText.isNull() ? c.text : c.boxText, c.bytes},
              std::pair{edited, edited.toUtf8()}}) {
            EcuImage image = opened.data.image;
            m_dialogs.choose(path);
            (void)saveE2PFile(m_state, image, opened.comment.toSave(boxText), m_dialogs, m_operator,
                              *m_settings);
            QFile saved(path);
            ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
            EXPECT_EQ(saved.readAll().mid(records.size()), bytes + "\r\n") << boxText.toStdString();
        }
    }
}

TEST(FileNames, DataNameIsTheStemCutToEightAndFolderEndsAtTheLastSeparator) {
    EXPECT_EQ(dataNameOfFile(QStringLiteral("race1.e2p")), QStringLiteral("race1"));
    EXPECT_EQ(dataNameOfFile(QStringLiteral("ABCDEFGHIJ.E2P")), QStringLiteral("ABCDEFGH"));
    EXPECT_EQ(dataNameOfFile(QStringLiteral("NOEXT")), QStringLiteral("NOEXT"));
    EXPECT_EQ(dataNameOfFile(QStringLiteral("v1.2.E2P")), QStringLiteral("v1.2"));
    EXPECT_EQ(folderOfPath(QStringLiteral("C:\\DATA\\RACE1.E2P")), QStringLiteral("C:\\DATA"));
    EXPECT_EQ(folderOfPath(QStringLiteral("/home/m/RACE1.E2P")), QStringLiteral("/home/m"));
    EXPECT_EQ(folderOfPath(QStringLiteral("RACE1.E2P")), QString());
}

} // namespace
