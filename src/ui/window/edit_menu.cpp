#include "window/edit_menu.h"

#include "window/window_names.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QUndoStack>

EditMenu::EditMenu(QMenu &menu, QUndoStack &stack, QObject *parent)
    : QObject(parent)
    , m_availability(new QActionGroup(this))
    // Given as prefixes, the verbs stay as they are whatever translator Qt has.
    , m_undo(stack.createUndoAction(&menu, QStringLiteral("Undo")))
    , m_redo(stack.createRedoAction(&menu, QStringLiteral("Redo"))) {
    m_undo->setObjectName(WindowNames::UndoItem);
    m_redo->setObjectName(WindowNames::RedoItem);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    menu.addAction(m_undo);
    menu.addAction(m_redo);
    // The stack turns each action on and off with what it can undo or redo; a disabled group
    // keeps them off whatever the stack says, and gives them back the stack's word when enabled.
    m_availability->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    m_availability->addAction(m_undo);
    m_availability->addAction(m_redo);
}

void EditMenu::setAvailable(bool available) {
    m_availability->setEnabled(available);
}
