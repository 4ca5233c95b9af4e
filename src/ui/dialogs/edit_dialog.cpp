#include "edit_dialog.h"

#include "common/colours.h"
#include "common/twips.h"
#include "common/window_controls.h"
#include "dialog_drag.h"

#include <QAbstractSlider>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

namespace {

bool isEnter(const QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

EditDialog::EditDialog(const EditContext &context, const QString &name, int clientWidth,
                       int clientHeight)
    : QDialog(&context.window)
    , m_context(context) {
    setWindowFlags(Qt::Widget);
    setAutoFillBackground(true);
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsSize(clientWidth, clientHeight));
    // Modal within the window: the rest of it is disabled, and it is not closed meanwhile.
    context.controls.setMainWindowEnabled(false);
    context.window.installEventFilter(this);
}

void EditDialog::addEnterAndCancel(QAbstractSlider *slider, const QRect &enterGeometry,
                                   const QRect &cancelGeometry) {
    m_slider = slider;
    slider->installEventFilter(this);
    m_enter = new QPushButton(QStringLiteral("Enter Key"), this);
    m_enter->setObjectName(QStringLiteral("Command1"));
    m_enter->setGeometry(enterGeometry);
    m_cancel = new QPushButton(QStringLiteral("Cancel Key"), this);
    m_cancel->setObjectName(QStringLiteral("Command2"));
    m_cancel->setGeometry(cancelGeometry);
    // Neither is a default button, which would take Enter from the slider; Enter on a focused
    // button presses that button (eventFilter).
    for (QPushButton *button : {m_enter, m_cancel}) {
        button->setAutoDefault(false);
        button->installEventFilter(this);
    }
    connect(m_enter, &QPushButton::clicked, this, [this] { enterAction(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { cancelAction(); });
    slider->setFocus();
}

void EditDialog::closeDialog() {
    m_context.controls.setMainWindowEnabled(true);
    done(QDialog::Accepted);
}

int EditDialog::topAboveMainBottom(int aboveBottomTwips) const {
    const QRect mainFrame = m_context.window.frameGeometry();
    // The dialog has no frame; its frame geometry is one pixel short before its first move.
    return mainFrame.top() + mainFrame.height() - height() - twipsToPixelsY(aboveBottomTwips);
}

void EditDialog::placeAt(const QPoint &onScreen) {
    move(m_context.window.mapFromGlobal(onScreen));
    keepInsideWindow();
}

void EditDialog::keepInsideWindow() {
    const QRect inside = parentWidget()->rect();
    const int x = std::max(inside.left(), std::min(this->x(), inside.right() + 1 - width()));
    const int y = std::max(inside.top(), std::min(this->y(), inside.bottom() + 1 - height()));
    move(x, y);
}

bool EditDialog::eventFilter(QObject *watched, QEvent *event) {
    // The parent, not the context: a window being destroyed has let its context go before it
    // deletes its children, this dialog among them.
    if (watched == parent()) {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::Resize)
            keepInsideWindow();
        return QDialog::eventFilter(watched, event);
    }
    if (isEnter(event)) {
        if (watched == m_slider) {
            enterAction();
            return true;
        }
        if (watched == m_enter || watched == m_cancel) {
            static_cast<QPushButton *>(watched)->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EditDialog::mousePressEvent(QMouseEvent *event) {
    const QPointF at = event->position();
    beginDialogDrag(this, event->buttons(), pixelsToTwipsX(qRound(at.x())),
                    pixelsToTwipsY(qRound(at.y())), m_context.dragAnchor);
    QDialog::mousePressEvent(event);
}

void EditDialog::mouseMoveEvent(QMouseEvent *event) {
    const QPointF at = event->position();
    dragDialog(this, event->buttons(), pixelsToTwipsX(qRound(at.x())),
               pixelsToTwipsY(qRound(at.y())), m_context.dragAnchor);
    keepInsideWindow();
    QDialog::mouseMoveEvent(event);
}

void EditDialog::paintEvent(QPaintEvent *event) {
    QDialog::paintEvent(event);
    // No title bar, but an edge, so that the dialog stands out from the window behind it.
    // Four strips rather than an outline: at a fractional scale an outline's right and bottom
    // lines fall between device pixels.
    QPainter painter(this);
    const QColor edge = palette().color(QPalette::Dark);
    painter.fillRect(0, 0, width(), 1, edge);
    painter.fillRect(0, height() - 1, width(), 1, edge);
    painter.fillRect(0, 0, 1, height(), edge);
    painter.fillRect(width() - 1, 0, 1, height(), edge);
}

void EditDialog::reject() {
    // Escape lands here; dialogs whose cancel button is not the window's cancel button ignore it.
    if (m_escapeCancels)
        cancelAction();
}

QLabel *EditDialog::addTextBox(const QString &name, const QRect &geometry, int pointSize,
                               const QString &text, bool buttonFace) {
    auto *box = new QLabel(text, this);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setMargin(1);
    box->setFocusPolicy(Qt::NoFocus);
    QFont font = box->font();
    font.setPointSize(pointSize);
    box->setFont(font);
    setBackground(box, buttonFace ? buttonFaceColour() : palette().color(QPalette::Base));
    return box;
}

void EditDialog::fitTexts() {
    const QList<QWidget *> controls = findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    for (QWidget *control : controls)
        control->setGeometry(control->geometry().intersected(inside));

    QList<QLabel *> boxes = findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    // Wider: the column of texts and buttons grows by the largest shortfall; a slider keeps its
    // centre in the column.
    int wider = 0;
    for (const QLabel *box : boxes)
        wider = std::max(wider, box->sizeHint().width() - box->width());
    for (QWidget *control : controls) {
        if (qobject_cast<QAbstractSlider *>(control))
            control->move(control->x() + wider / 2, control->y());
        else
            control->resize(control->width() + wider, control->height());
    }
    // Taller: from the top down, each box that needs more lines' room moves what lies below it.
    std::sort(boxes.begin(), boxes.end(),
              [](const QLabel *a, const QLabel *b) { return a->y() < b->y(); });
    int taller = 0;
    for (QLabel *box : boxes) {
        const int more = box->sizeHint().height() - box->height();
        if (more <= 0)
            continue;
        const int bottom = box->geometry().bottom();
        box->resize(box->width(), box->height() + more);
        for (QWidget *control : controls) {
            if (control->y() > bottom)
                control->move(control->x(), control->y() + more);
        }
        taller += more;
    }
    setFixedSize(width() + wider, height() + taller);
}

QLabel *EditDialog::addValueLabel(const QRect &geometry) {
    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    setBackground(label, LightYellow);
    return label;
}
