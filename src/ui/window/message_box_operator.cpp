#include "window/message_box_operator.h"

#include "common/app_title.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A carriage return alone breaks a line in these texts.
QString displayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

int execBox(QMessageBox &box) {
    // The hourglass of a transfer must not hide the arrow over the box.
    const bool overridden = QApplication::overrideCursor() != nullptr;
    if (overridden)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (overridden)
        QApplication::restoreOverrideCursor();
    return answer;
}

int showBox(QWidget *parent, const QString &text, MessageIcon icon,
            QMessageBox::StandardButtons buttons, const QString &detail = {}) {
    QMessageBox box(boxIcon(icon), AppTitle, displayText(text), buttons, parent);
    box.setInformativeText(displayText(detail));
    return execBox(box);
}

} // namespace

MessageBoxOperator::MessageBoxOperator(QWidget *parent)
    : m_parent(parent) {}

void MessageBoxOperator::tell(const QString &text, MessageIcon icon, const QString &detail) {
    showBox(m_parent, text, icon, QMessageBox::Ok, detail);
}

bool MessageBoxOperator::confirm(const QString &text, MessageIcon icon) {
    return showBox(m_parent, text, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

int MessageBoxOperator::ask(const Question &question) {
    QMessageBox box(boxIcon(question.icon), AppTitle, displayText(question.text),
                    QMessageBox::NoButton, m_parent);
    box.setInformativeText(displayText(question.detail));
    QList<QAbstractButton *> buttons;
    for (const QString &name : question.buttons)
        buttons << box.addButton(name, QMessageBox::ActionRole);
    if (buttons.isEmpty())
        buttons << box.addButton(QMessageBox::Ok);
    box.setDefaultButton(qobject_cast<QPushButton *>(buttons.front()));
    const int escape = std::clamp(question.escapeIndex(), 0, static_cast<int>(buttons.size()) - 1);
    box.setEscapeButton(buttons.at(escape));
    execBox(box);
    const int chosen = static_cast<int>(buttons.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : escape;
}

void MessageBoxOperator::setBusy(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
