#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// "Review and Write": what the write will change in the ECU, parameter by parameter, under a
// heading with the counts and both fingerprints. "Write" accepts, "Cancel" (the default, and
// Escape) rejects.
class ReviewDialog : public QDialog {
    Q_OBJECT
public:
    ReviewDialog(const QStringList &heading, const QStringList &changes, QWidget *parent = nullptr);

    [[nodiscard]] QListWidget *changeList() const { return m_changes; }
    [[nodiscard]] QPushButton *writeButton() const { return m_write; }

private:
    QListWidget *m_changes = nullptr;
    QPushButton *m_write = nullptr;
};
