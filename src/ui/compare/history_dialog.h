#pragma once

#include "files/history_folder.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// "History…": the calibrations read from and written to the ECU, newest first, each with its
// date, kind, data name and the first line of its comment. "Open" and "Compare" close the
// dialog with the entry chosen.
class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { None, Open, Compare };

    HistoryDialog(const HistoryFolder &history, QWidget *parent = nullptr);

    [[nodiscard]] QTreeWidget *entryTable() const { return m_table; }
    [[nodiscard]] Choice choice() const { return m_choice; }
    // The entry chosen for Open or Compare.
    [[nodiscard]] QString chosenPath() const;

private:
    void choose(Choice choice);

    std::vector<HistoryEntry> m_entries;
    QTreeWidget *m_table = nullptr;
    QPushButton *m_openButton = nullptr;
    QPushButton *m_compareButton = nullptr;
    Choice m_choice = Choice::None;
};
