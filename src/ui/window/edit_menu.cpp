#include "window/edit_menu.h"

#include "window/window_names.h"

#include <QAction>
#include <QMenu>
#include <QUndoStack>

EditMenu::EditMenu(QMenu &menu, QUndoStack &stack, QObject *parent)
    : QObject(parent)
    , m_stack(stack)
    , m_undo(menu.addAction(QStringLiteral("Undo")))
    , m_redo(menu.addAction(QStringLiteral("Redo"))) {
    m_undo->setObjectName(WindowNames::UndoItem);
    m_redo->setObjectName(WindowNames::RedoItem);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(m_undo, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(m_redo, &QAction::triggered, &stack, &QUndoStack::redo);
    connect(&stack, &QUndoStack::indexChanged, this, &EditMenu::update);
    connect(&stack, &QUndoStack::cleanChanged, this, &EditMenu::update);
    update();
}

void EditMenu::setAvailable(bool available) {
    m_available = available;
    update();
}

void EditMenu::update() {
    const auto named = [](const QString &verb, const QString &what) {
        return what.isEmpty() ? verb : verb + QLatin1Char(' ') + what;
    };
    m_undo->setText(named(QStringLiteral("Undo"), m_stack.undoText()));
    m_redo->setText(named(QStringLiteral("Redo"), m_stack.redoText()));
    m_undo->setEnabled(m_available && m_stack.canUndo());
    m_redo->setEnabled(m_available && m_stack.canRedo());
}
