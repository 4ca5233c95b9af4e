#pragma once

#include "files/operator.h"

class QWidget;

// Shows messages and prompts as message boxes captioned with the application title, centred on
// the window. The busy state is the window's own business (see MainWindow); here it only
// shows the hourglass pointer.
class MessageBoxOperator : public Operator {
public:
    explicit MessageBoxOperator(QWidget *parent);

    void tell(const QString &text, MessageIcon icon, const QString &detail = {}) override;
    bool confirm(const QString &text, MessageIcon icon) override;
    int ask(const Question &question) override;
    void setBusy(bool busy) override;

private:
    QWidget *m_parent;
    bool m_busy = false;
};
