#include "edit_dialog.h"

#include "dialog_drag.h"
#include "main/colours.h"
#include "main/twips.h"
#include "main/window_controls.h"

#include <QAbstractSlider>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

EditDialog::EditDialog(const EditContext &context, const QString &name, int clientWidth,
                       int clientHeight)
    : QDialog(&context.window, Qt::Dialog | Qt::FramelessWindowHint)
    , m_context(context) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setFixedSize(twipsSize(clientWidth, clientHeight));
    QFont dialogFont(QStringLiteral("Times New Roman"));
    dialogFont.setStyleHint(QFont::Serif);
    setFont(dialogFont);
    context.controls.setMainWindowEnabled(false);
}

void EditDialog::addEnterAndCancel(QAbstractSlider *slider, const QRect &enterGeometry,
                                   const QRect &cancelGeometry) {
    m_slider = slider;
    slider->installEventFilter(this);
    m_enter = new QPushButton(QStringLiteral("Enter Key"), this);
    m_enter->setObjectName(QStringLiteral("Command1"));
    m_enter->setGeometry(enterGeometry);
    auto *cancel = new QPushButton(QStringLiteral("Cancel Key"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setGeometry(cancelGeometry);
    for (QPushButton *button : {m_enter, cancel})
        button->setAutoDefault(false);
    connect(m_enter, &QPushButton::clicked, this, [this] { enterAction(); });
    connect(cancel, &QPushButton::clicked, this, [this] { cancelAction(); });
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

bool EditDialog::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_slider && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            enterAction();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EditDialog::mousePressEvent(QMouseEvent *event) {
    const QPointF at = event->position();
    BeginDialogDrag(this, event->buttons(), pixelsToTwipsX(qRound(at.x())),
                    pixelsToTwipsY(qRound(at.y())), m_context.dragAnchor);
    QDialog::mousePressEvent(event);
}

void EditDialog::mouseMoveEvent(QMouseEvent *event) {
    const QPointF at = event->position();
    DragDialog(this, event->buttons(), pixelsToTwipsX(qRound(at.x())),
               pixelsToTwipsY(qRound(at.y())), m_context.dragAnchor);
    QDialog::mouseMoveEvent(event);
}

void EditDialog::reject() {
    // Escape lands here; dialogs whose cancel button is not the window's cancel button ignore it.
    if (m_escapeCancels)
        cancelAction();
}

QPlainTextEdit *EditDialog::addTextBox(const QString &name, const QRect &geometry, int pointSize,
                                       const QString &text, bool buttonFace) {
    auto *box = new QPlainTextEdit(text, this);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font = box->font();
    font.setPointSize(pointSize);
    box->setFont(font);
    if (buttonFace) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, buttonFaceColour());
        box->setPalette(palette);
    }
    return box;
}

QLabel *EditDialog::addValueLabel(const QRect &geometry) {
    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    setBackground(label, LightYellow);
    return label;
}
