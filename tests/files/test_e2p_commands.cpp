#include "files/e2p_commands.h"
#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "recording_operator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

EcuImage markedImage() {
    EcuImage image;
    const char *swapped = "ZQR3KO";
    for (int i = 0; i < 6; ++i)
        image.setByte(DataTypeOffset + i, static_cast<std::uint8_t>(swapped[i]));
    for (int offset = 0; offset < DataNameOffset; ++offset)
        image.setByte(offset, static_cast<std::uint8_t>(offset % 251));
    image.setByte(IdleNeOffset, 8);
    return image;
}

class E2PCommands : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_settings = std::make_unique<SettingsStore>(m_dir.filePath(QStringLiteral("s.ini")));
    }

    QString writeFile(const QString &name, const QByteArray &contents) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return path;
    }

    void choose(const QString &path) {
        m_dialogs.choices.push_back(FileChoice{path, path.section(QLatin1Char('/'), -1)});
    }

    [[nodiscard]] LastFile lastFile() const { return readLastFile(*m_settings); }

    QTemporaryDir m_dir;
    std::unique_ptr<SettingsStore> m_settings;
    RecordingOperator m_operator;
    ScriptedFileDialogs m_dialogs;
    E2PFileState m_state{QStringLiteral("/old/OLD.E2P"), QStringLiteral("/old"),
                         QStringLiteral("OLD.E2P")};
};

TEST_F(E2PCommands, OpenAcceptsAMarkedFileAndRemembersIt) {
    const EcuImage image = markedImage();
    const QString path =
        writeFile(QStringLiteral("RACE1.E2P"),
                  e2pFileContents(image, E2PComment::fromText(QStringLiteral("a\r\nb"))));
    choose(path);

    const OpenOutcome outcome = E2PFileOpen(m_state, m_dialogs, m_operator, *m_settings);
    ASSERT_TRUE(outcome.accepted());
    EXPECT_TRUE(m_operator.messages.isEmpty());
    ASSERT_EQ(m_dialogs.openRequests.size(), 1);
    const FileDialogRequest &asked = m_dialogs.openRequests.front();
    EXPECT_EQ(asked.title, QStringLiteral("Read file select"));
    EXPECT_EQ(asked.filter, QStringLiteral("E2P(*.E2P)"));
    EXPECT_EQ(asked.defaultSuffix, QStringLiteral("E2P"));
    EXPECT_EQ(asked.startFolder, QStringLiteral("/old"));
    EXPECT_EQ(outcome.EcuDataName, QStringLiteral("RACE1"));
    EXPECT_TRUE(outcome.fileTime.isValid());
    EXPECT_EQ(outcome.data.tables.IdleNeText, QStringLiteral("1600"));
    // Decoded: the unused bytes are cleared, the rest as in the file.
    EXPECT_EQ(outcome.data.image.byte(70), 0);
    EXPECT_EQ(outcome.data.image.byte(100), image.byte(100));

    EXPECT_EQ(m_state.E2PFilePath, path);
    EXPECT_EQ(m_state.E2PFileDir, m_dir.path());
    EXPECT_EQ(m_state.E2PFileName, QStringLiteral("RACE1.E2P"));
    EXPECT_EQ(lastFile().path, path);
    EXPECT_EQ(lastFile().dir, m_dir.path());
    EXPECT_EQ(lastFile().name, QStringLiteral("RACE1.E2P"));
}

struct OpenFailure {
    const char *name;
    std::optional<QByteArray> contents; // nullopt: the dialog is cancelled; empty: no file
    QString message;
    MessageIcon icon;
    FileCommandResult result;
};

std::ostream &operator<<(std::ostream &out, const OpenFailure &f) {
    return out << f.name;
}

class OpenFailures : public E2PCommands, public testing::WithParamInterface<OpenFailure> {};

TEST_P(OpenFailures, ShowTheirMessageAndChangeNothing) {
    const OpenFailure f = GetParam();
    if (f.contents)
        choose(f.contents->isEmpty() ? m_dir.filePath(QStringLiteral("NONE.E2P"))
                                     : writeFile(QStringLiteral("BAD.E2P"), *f.contents));
    const E2PFileState before = m_state;

    const OpenOutcome outcome = E2PFileOpen(m_state, m_dialogs, m_operator, *m_settings);
    EXPECT_EQ(outcome.result, f.result);
    // A missing file is named.
    const QString detail = f.result == FileCommandResult::NotFound
                               ? m_dir.filePath(QStringLiteral("NONE.E2P"))
                               : QString();
    EXPECT_EQ(m_operator.messages, (QList<ToldMessage>{{f.message, f.icon, false, detail}}));
    EXPECT_EQ(m_state.E2PFilePath, before.E2PFilePath);
    EXPECT_EQ(lastFile().path, NoLastFile);
}

EcuImage plainMarkerImage() {
    EcuImage image;
    for (int i = 0; i < 6; ++i)
        image.setByte(DataTypeOffset + i, static_cast<std::uint8_t>("QZ3ROK"[i]));
    return image;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenFailures,
    testing::Values(OpenFailure{"Cancelled", std::nullopt, FileOperationNotEnded, MessageIcon::None,
                                FileCommandResult::Cancelled},
                    OpenFailure{"Missing", QByteArray(), FileNotFound, MessageIcon::None,
                                FileCommandResult::NotFound},
                    OpenFailure{"Malformed",
                                QByteArray(":0101E000AB00\r\n:00000001FF\r\nx\r\ny\r\n"),
                                QStringLiteral("file format is incorrect."), MessageIcon::Critical,
                                FileCommandResult::Rejected},
                    OpenFailure{"MarkerInPlainOrder", e2pFileContents(plainMarkerImage(), {}),
                                EcuDataTypeIncorrect, MessageIcon::Critical,
                                FileCommandResult::Rejected}));

TEST_F(E2PCommands, SaveWritesNameIntoImageRemembersFileAndReportsAfterTheWindow) {
    EcuImage image = markedImage();
    // Any folder will do; only the file's name goes into the image.
    const QString folder = m_dir.filePath(QStringLiteral("m\u00fcller"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/RACE1.E2P");
    choose(path);
    bool windowUpdated = false;
    qsizetype messagesWhenUpdated = -1;

    const SaveOutcome outcome =
        E2PFileSave(m_state, image, E2PComment::fromText(QStringLiteral("line 1\r\nline 2")),
                    m_dialogs, m_operator, *m_settings, [&](const SaveOutcome &saved) {
                        windowUpdated = saved.saved();
                        messagesWhenUpdated = m_operator.messages.size();
                    });

    ASSERT_TRUE(outcome.saved());
    EXPECT_TRUE(windowUpdated);
    EXPECT_EQ(messagesWhenUpdated, 0);
    ASSERT_EQ(m_operator.messages.size(), 1);
    EXPECT_EQ(m_operator.messages.front().text, QStringLiteral("File save ended"));
    EXPECT_EQ(m_operator.messages.front().icon, MessageIcon::None);
    ASSERT_EQ(m_dialogs.saveRequests.size(), 1);
    EXPECT_EQ(m_dialogs.saveRequests.front().title, QStringLiteral("file save"));
    EXPECT_EQ(m_dialogs.saveRequests.front().startFolder, QStringLiteral("/old"));

    EXPECT_EQ(EcuDataName(image), QStringLiteral("RACE1   "));
    EXPECT_EQ(outcome.EcuDataName, QStringLiteral("RACE1"));
    EXPECT_EQ(m_state.E2PFileDir, folder);
    EXPECT_EQ(lastFile().path, path);
    EXPECT_EQ(lastFile().name, QStringLiteral("RACE1.E2P"));

    const HexReadResult back = HEX_Data_read(path);
    ASSERT_TRUE(back.HexReadOk);
    EXPECT_EQ(back.image, image);
    EXPECT_EQ(back.CommentText, QStringLiteral("line 1\r\nline 2"));
}

struct SaveRefusal {
    const char *name;
    std::optional<QString> fileName; // nullopt: dialog cancelled
    MessageIcon icon;
    FileCommandResult result;
    QString detail;
};

std::ostream &operator<<(std::ostream &out, const SaveRefusal &s) {
    return out << s.name;
}

class SaveRefusals : public E2PCommands, public testing::WithParamInterface<SaveRefusal> {};

TEST_P(SaveRefusals, ChangeNothingAndWriteNothing) {
    const SaveRefusal s = GetParam();
    const QString path = s.fileName ? m_dir.filePath(*s.fileName) : QString();
    if (s.fileName)
        choose(path);
    EcuImage image = markedImage();
    const EcuImage before = image;

    const SaveOutcome outcome = E2PFileSave(m_state, image, {}, m_dialogs, m_operator, *m_settings);
    EXPECT_EQ(outcome.result, s.result);
    ASSERT_EQ(m_operator.messages.size(), 1);
    EXPECT_EQ(m_operator.messages.front().icon, s.icon);
    EXPECT_EQ(m_operator.messages.front().detail, s.detail);
    const QString told = m_operator.messages.front().text;
    EXPECT_TRUE(s.icon == MessageIcon::None ? told == FileOperationNotEnded : told.contains(path))
        << told.toStdString();
    EXPECT_EQ(image, before);
    EXPECT_EQ(m_state.E2PFilePath, QStringLiteral("/old/OLD.E2P"));
    EXPECT_EQ(lastFile().path, NoLastFile);
    EXPECT_FALSE(!path.isEmpty() && QFileInfo(path).isFile());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveRefusals,
    testing::Values(
        SaveRefusal{"Cancelled", std::nullopt, MessageIcon::None, FileCommandResult::Cancelled, {}},
        SaveRefusal{"AccentedName", QStringLiteral("caf\u00e9.E2P"), MessageIcon::None,
                    FileCommandResult::Refused,
                    QStringLiteral("caf\u00e9.E2P: the file name is stored in the data, so it may "
                                   "hold ASCII characters only.")},
        SaveRefusal{"FolderMissing",
                    QStringLiteral("none/RACE1.E2P"),
                    MessageIcon::Critical,
                    FileCommandResult::Failed,
                    {}}));

// Files travel between PCs with different character sets: an unedited comment is saved with the
// bytes it was read with, an edited one as UTF-8. A plain-text box gives some characters back
// changed (a no-break space as a blank, a lone LF as a line end); that alone is no edit.
TEST_F(E2PCommands, ACommentIsSavedWithItsBytesUntilItIsEdited) {
    const struct {
        QByteArray bytes;
        QString text;
        QString boxText; // null: the text itself
    } cases[] = {
        {"Fi +2% \xC2\xB0"
         "C",
         QStringLiteral("Fi +2% \u00b0C"),
         {}},
        {"\x72\xE9\x67\x80\x20\xFF\xFE", QStringLiteral("r\u00e9g\u20ac \u00ff\u00fe"), {}},
        {"\x83\x65\x83\x58\x83\x67", QStringLiteral("\u0192e\u0192X\u0192g"), {}},
        {"\x80", QStringLiteral("\u20ac"), {}},
        {"\x81\x8D\x8F\x90\x9D", QStringLiteral("\u0081\u008d\u008f\u0090\u009d"), {}},
        {"first\r\nsecond\r\n", QStringLiteral("first\r\nsecond\r\n"), {}},
        {"", QString(), {}},
        {"a\xA0"
         "b\nc",
         QStringLiteral("a\u00a0b\nc"), QStringLiteral("a b\r\nc")}};
    const QByteArray records = hexRecords(markedImage()) + "<<<Comment Start>>>\r\n";
    const QString path = m_dir.filePath(QStringLiteral("NEW.E2P"));
    for (const auto &c : cases) {
        choose(writeFile(QStringLiteral("OLD.E2P"), records + c.bytes + "\r\n"));
        const OpenOutcome opened = E2PFileOpen(m_state, m_dialogs, m_operator, *m_settings);
        ASSERT_TRUE(opened.accepted());
        EXPECT_EQ(opened.CommentText, c.text);
        const QString edited = c.text + QStringLiteral(" \u00b1");
        for (const auto &[boxText, bytes] :
             {std::pair{c.boxText.isNull() ? c.text : c.boxText, c.bytes},
              std::pair{edited, edited.toUtf8()}}) {
            EcuImage image = opened.data.image;
            choose(path);
            (void)E2PFileSave(m_state, image, opened.comment.toSave(boxText), m_dialogs, m_operator,
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
