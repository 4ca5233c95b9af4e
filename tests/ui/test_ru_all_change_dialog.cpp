#include "dialogs/ru_all_change_dialog.h"
#include "image/graph_position.h"
#include "main/graph_canvas.h"
#include "window_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

class TestRuAllChangeDialog : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    template <typename T = QWidget>
    T *element(const char *name, int i) const {
        return m_f.find<T>(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
    }

    // "All data change" of the RU view.
    QPointer<RuAllChangeDialog> open() {
        m_f.window->selectView(ViewPosition::RuMap);
        QTest::mouseClick(m_f.find<QPushButton>(QStringLiteral("Command8")), Qt::LeftButton);
        return m_f.window->findChild<RuAllChangeDialog *>();
    }

private slots:
    void init() {
        m_f.window.reset();
        m_f.storeLastFile(m_f.copySample(), QStringLiteral("SAMPLE.E2P"));
        m_f.start();
        // After an ECU read "Data Read" and "Data Write" may be off; closing turns them on.
        m_f.find(QStringLiteral("Command3"))->setEnabled(false);
        m_f.find(QStringLiteral("Command7"))->setEnabled(false);
    }

    void cleanup() {
        m_f.window.reset();
        flushDeletes();
    }

    void closingSetsEveryPointOrNothing_data() {
        QTest::addColumn<int>("key");   // 0: none
        QTest::addColumn<int>("close"); // Return, Escape, or 0 for "Cancel Key"
        QTest::addColumn<int>("byte");  // -1: nothing changes
        QTest::addColumn<QString>("text");
        const int enter = Qt::Key_Return;
        QTest::newRow("Enter at once") << 0 << enter << 0 << "0%";
        QTest::newRow("top") << int(Qt::Key_Home) << enter << 0x0F << "+15%";
        QTest::newRow("bottom") << int(Qt::Key_End) << enter << 0xF1 << "-15%";
        QTest::newRow("page up") << int(Qt::Key_PageUp) << enter << 0x0F << "+15%";
        QTest::newRow("one up") << int(Qt::Key_Up) << enter << 1 << "+1%";
        QTest::newRow("Escape") << int(Qt::Key_End) << int(Qt::Key_Escape) << -1 << "-15%";
        QTest::newRow("Cancel Key") << int(Qt::Key_End) << 0 << -1 << "-15%";
    }

    void closingSetsEveryPointOrNothing() {
        QFETCH(int, key);
        QFETCH(int, close);
        QFETCH(int, byte);
        QFETCH(QString, text);
        const EcuData before = m_f.window->data();
        QPointer<RuAllChangeDialog> dialog = open();
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("Form6"));
        QVERIFY(!m_f.window->isMainWindowEnabled());
        QCOMPARE(dialog->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->toPlainText(),
                 QStringLiteral("RU Map\nData\nAll Change"));
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("Text2"))->text(),
                 QStringLiteral(" 15%"));
        QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("Text3"))->text(),
                 QStringLiteral("-15%"));
        QCOMPARE(dialog->x(), m_f.window->frameGeometry().left());
        QCOMPARE(dialog->slider()->value(), 15);
        if (key != 0)
            QTest::keyClick(dialog->slider(), static_cast<Qt::Key>(key));
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("Label1"))->text(), text);
        if (close != 0)
            QTest::keyClick(dialog->slider(), static_cast<Qt::Key>(close));
        else
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("Command2")),
                              Qt::LeftButton);
        flushDeletes();
        QVERIFY(dialog.isNull());
        QVERIFY(m_f.window->isMainWindowEnabled());
        QVERIFY(m_f.find(QStringLiteral("Command3"))->isEnabled());
        QVERIFY(m_f.find(QStringLiteral("Command7"))->isEnabled());

        const EcuData &data = m_f.window->data();
        for (int k = 0; k < EcuImageSize; ++k) {
            const bool ru = k >= 412 && k <= 427 && byte >= 0;
            QCOMPARE(int(data.image.byte(k)), ru ? byte : int(before.image.byte(k)));
        }
        if (byte < 0)
            QVERIFY(data.tables == before.tables);
        for (int i = 1; i <= 16; ++i) {
            const auto n = std::size_t(i - 1);
            if (byte >= 0)
                QCOMPARE(data.tables.RuadjText[n], text);
            QCOMPARE(element<QLabel>("Label18", i)->text(), data.tables.RuadjText[n]);
            QCOMPARE(element<QSlider>("Slider3", i)->value(),
                     ruSliderPosition(data.tables.RuadjData[n]));
        }
        if (byte >= 0)
            QCOMPARE(element<GraphLine>("Line1", 15)->twips().y2(),
                     840.0 + ruSliderPosition(std::uint8_t(byte)) * 100.0);
    }
};

QTEST_MAIN(TestRuAllChangeDialog)
#include "test_ru_all_change_dialog.moc"
