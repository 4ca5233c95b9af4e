#pragma once

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;
class QUndoStack;

// The "Edit" menu: "Undo <what>" (Ctrl+Z) and "Redo <what>" (Ctrl+Shift+Z, Ctrl+Y) of the
// document's undo stack. Both are off while nothing can be undone or redone, and while a dialog
// is open or a transfer runs.
class EditMenu : public QObject {
    Q_OBJECT
public:
    EditMenu(QMenu &menu, QUndoStack &stack, QObject *parent = nullptr);

    [[nodiscard]] QAction *undoAction() const { return m_undo; }
    [[nodiscard]] QAction *redoAction() const { return m_redo; }
    // Off while a dialog is open or a transfer runs.
    void setAvailable(bool available);

private:
    QActionGroup *m_availability;
    QAction *m_undo;
    QAction *m_redo;
};
