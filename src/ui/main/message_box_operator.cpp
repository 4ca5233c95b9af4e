#include "message_box_operator.h"

#include "app_title.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
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

int showBox(QWidget *parent, const QString &text, MessageIcon icon,
            QMessageBox::StandardButtons buttons) {
    QMessageBox box(boxIcon(icon), AppTitle, displayText(text), buttons, parent);
    // The hourglass of a transfer must not hide the arrow over the box.
    const bool overridden = QApplication::overrideCursor() != nullptr;
    if (overridden)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (overridden)
        QApplication::restoreOverrideCursor();
    return answer;
}

} // namespace

MessageBoxOperator::MessageBoxOperator(QWidget *parent)
    : m_parent(parent) {}

void MessageBoxOperator::tell(const QString &text, MessageIcon icon) {
    showBox(m_parent, text, icon, QMessageBox::Ok);
}

bool MessageBoxOperator::confirm(const QString &text, MessageIcon icon) {
    return showBox(m_parent, text, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
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
