#include "compare/compare_mark.h"

#include <QPainter>
#include <QWidget>

namespace {

const QString MarkName = QStringLiteral("compareMark");

// A frame laid over the label; clicks and tooltips go through to the label beneath.
class CompareFrame : public QWidget {
public:
    explicit CompareFrame(QWidget *label)
        : QWidget(label) {
        setObjectName(MarkName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        // A white line inside keeps the frame apart from a dark cell colour.
        painter.setPen(QPen(CompareMarkColour, 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
    }
};

} // namespace

void showCompareMark(QWidget *label, const QString &otherText, const QString &where) {
    auto *frame = label->findChild<QWidget *>(MarkName, Qt::FindDirectChildrenOnly);
    if (otherText.isEmpty()) {
        if (frame)
            frame->hide();
        label->setToolTip(QString());
        return;
    }
    if (!frame)
        frame = new CompareFrame(label);
    frame->setGeometry(label->rect());
    frame->show();
    frame->raise();
    const QString other = QStringLiteral("other: ") + otherText;
    label->setToolTip(where.isEmpty() ? other : where + QStringLiteral(", ") + other);
}

bool hasCompareMark(const QWidget *label) {
    const auto *frame = label->findChild<QWidget *>(MarkName, Qt::FindDirectChildrenOnly);
    return frame && !frame->isHidden();
}
