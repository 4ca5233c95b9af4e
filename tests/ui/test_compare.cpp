// Comparing the window's calibration with another one: the marks in every view, the status
// line, and the history's entries.

#include "document/change_cells.h"
#include "files/e2p_writer.h"
#include "files/history_folder.h"
#include "main/compare_mark.h"
#include "main/graph_canvas.h"
#include "main/grid_cell.h"
#include "main/history_dialog.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

class TestCompare : public QObject {
    Q_OBJECT

private:
    WindowFixture m_f;

    MainWindow &w() { return *m_f.window; }
    bool cellMarked(int k) {
        return m_f.find<GridCell>(QStringLiteral("Label6(%1)").arg(k))->decoration().differs;
    }
    // The other calibration: the sample with Fi cell 20, IG cell 1, NE point 5 and the pit
    // limit changed.
    QString writeOther() {
        EcuImage other = w().document().image();
        other.setByte(fiCellOffset(20), 110);
        other.setByte(igCellOffset(1), 2);
        other.setByte(neAxisOffset(5), 60);
        other.setByte(PitLimitOffset, 65);
        return m_f.writeFile(QStringLiteral("RACE1.E2P"), e2pFileContents(other, {}));
    }

private slots:
    void init() {
        m_f.window.reset();
        m_f.op = RecordingOperator();
        m_f.startWithSample();
        QApplication::setActiveWindow(&w());
        QVERIFY(QTest::qWaitForWindowActive(&w()));
    }

    void cleanup() {
        m_f.window.reset();
        flushDeletes();
    }

    void marksFollowEditsUndoAndCompareOff() {
        m_f.choose(writeOther());
        QTest::keySequence(&w(), QKeySequence(Qt::CTRL | Qt::Key_D)); // "Compare with file…"
        QCOMPARE(m_f.text("CompareStatus"),
                 QStringLiteral("Compared with RACE1.E2P: 4 differ (Fi 1, IG 1, NE axis 1, "
                                "PITroad Limit 1)"));
        QVERIFY(w().statusBar()->isVisible());
        QVERIFY(cellMarked(20) && !cellMarked(21));
        QCOMPARE(m_f.find(QStringLiteral("Label6(20)"))->toolTip(), QStringLiteral("other: +10%"));
        QVERIFY(hasCompareMark(m_f.find(QStringLiteral("Label7(5)"))));
        QVERIFY(hasCompareMark(m_f.find(QStringLiteral("Label_IG8(5)"))) == false);
        QCOMPARE(m_f.find(QStringLiteral("Label7(5)"))->toolTip(), QStringLiteral("other: 6000"));
        QCOMPARE(m_f.text("Lbl_PITroadOther"), QStringLiteral("other: 6500"));
        // The graph view: the other row as a thin line, the differing value marked.
        w().selectView(ViewPosition::FiGraph);
        QTest::keyClick(m_f.find<QComboBox>(QStringLiteral("Combo2")), Qt::Key_Up); // TH row 2
        QVERIFY(hasCompareMark(m_f.find(QStringLiteral("Label12(4)"))));
        QVERIFY(!hasCompareMark(m_f.find(QStringLiteral("Label12(5)"))));
        auto *other = m_f.find<GraphLine>(QStringLiteral("OtherLine(3)"));
        QVERIFY(other->isShown());
        QCOMPARE(other->twips().y2(), 840.0 + (130 - 110) * 50.0);

        QVERIFY(w().document().apply(changeCell(MapKind::Fi, 20, 110)));
        QVERIFY(!cellMarked(20) && !hasCompareMark(m_f.find(QStringLiteral("Label12(4)"))));
        QCOMPARE(m_f.text("CompareStatus"),
                 QStringLiteral("Compared with RACE1.E2P: 3 differ (IG 1, NE axis 1, PITroad "
                                "Limit 1)"));
        w().document().undoStack().undo();
        QVERIFY(cellMarked(20));

        m_f.find<QAction>(QStringLiteral("mnuCompareOff"))->trigger();
        QVERIFY(!cellMarked(20) && !w().statusBar()->isVisible() && !other->isShown());
        QVERIFY(!hasCompareMark(m_f.find(QStringLiteral("Label7(5)"))));
        QVERIFY(m_f.find(QStringLiteral("Lbl_PITroadOther"))->isHidden());
    }

    // "History…" lists the entries newest first; "Compare" compares with the one chosen.
    void historyEntriesCanBeCompared() {
        HistoryFolder history(m_f.dir.filePath(QStringLiteral("history")));
        EcuImage older = w().document().image();
        older.setByte(fiCellOffset(1), 90);
        QVERIFY(history
                    .keep(older, HistoryKind::Read, QStringLiteral("COM1"),
                          QDateTime::currentDateTime().addDays(-1))
                    .ok);
        QVERIFY(
            history.keep(w().document().image(), HistoryKind::Written, QStringLiteral("COM1")).ok);
        QStringList kinds;
        QTimer::singleShot(0, this, [&kinds] {
            auto *dialog = qobject_cast<HistoryDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            QTreeWidget *table = dialog->entryTable();
            for (int i = 0; i < table->topLevelItemCount(); ++i)
                kinds << table->topLevelItem(i)->text(1);
            table->setCurrentItem(table->topLevelItem(1));
            for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
                if (button->text() == QStringLiteral("Compare"))
                    button->click();
            }
        });
        m_f.find<QAction>(QStringLiteral("mnuHistory"))->trigger();
        QCOMPARE(kinds, (QStringList{QStringLiteral("written"), QStringLiteral("read")}));
        QVERIFY(cellMarked(1));
        QVERIFY(m_f.text("CompareStatus").endsWith(QStringLiteral("_read.E2P: 1 differ (Fi 1)")));
    }
};

QTEST_MAIN(TestCompare)
#include "test_compare.moc"
