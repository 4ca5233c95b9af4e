#pragma once

#include "document/change_from_other.h"
#include "files/history_folder.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// "History…": the calibrations read from and written to the ECU, newest first, each with its
// date, kind, data name, CRC-32 and the first line of its comment. "Open", "Compare" and a
// choice of "Take…" close the dialog with the entry chosen.
class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { None, Open, Compare, Take };

    // cellsSelectable: "Take…" offers the selected cells.
    HistoryDialog(const HistoryFolder &history, bool cellsSelectable, QWidget *parent = nullptr);

    [[nodiscard]] QTreeWidget *entryTable() const { return m_table; }
    [[nodiscard]] Choice choice() const { return m_choice; }
    // The entry chosen for Open, Compare or Take.
    [[nodiscard]] QString chosenPath() const;
    [[nodiscard]] TakenPart takenPart() const { return m_taken; }

private:
    void choose(Choice choice);

    std::vector<HistoryEntry> m_entries;
    QTreeWidget *m_table = nullptr;
    QPushButton *m_openButton = nullptr;
    QPushButton *m_compareButton = nullptr;
    QPushButton *m_takeButton = nullptr;
    Choice m_choice = Choice::None;
    TakenPart m_taken = TakenPart::FiMap;
};
