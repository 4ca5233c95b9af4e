#pragma once

#include "files/operator.h"

class QWidget;

// Shows messages and prompts as message boxes captioned with the application title, and shows
// the busy state by disabling the window's controls with an hourglass pointer.
class MessageBoxOperator : public Operator {
public:
    // busyTarget is disabled while busy; boxes are centred on parent.
    MessageBoxOperator(QWidget *parent, QWidget *busyTarget);

    void tell(const QString &text, MessageIcon icon) override;
    bool confirm(const QString &text, MessageIcon icon) override;
    void setBusy(bool busy) override;

private:
    QWidget *m_parent;
    QWidget *m_busyTarget;
    bool m_busy = false;
};
