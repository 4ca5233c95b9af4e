#pragma once

#include "edit_context.h"

#include <QDialog>

class QAbstractSlider;
class QLabel;
class QPushButton;

// What every edit dialog has in common: modal, no title bar but a thin edge, the window's font,
// moved by dragging its background with the left button, the main window's controls disabled
// while it is open, Enter on its slider confirms and Enter on a button presses it. Each opening
// is a fresh dialog that deletes itself when it closes.
//
// It is a panel inside the main window, not a window of its own: a Wayland compositor puts a
// window wherever it likes, but a child stands where the window puts it, on every platform. The
// places are still reckoned on the screen, then kept inside the window.
class EditDialog : public QDialog {
    Q_OBJECT
public:
    // clientWidth and clientHeight in twips.
    EditDialog(const EditContext &context, const QString &name, int clientWidth, int clientHeight);

protected:
    // Enter: "Enter Key" or the Enter key on the slider.
    virtual void enterAction() = 0;
    // "Cancel Key" (and Escape where Escape cancels).
    virtual void cancelAction() = 0;

    // Makes the two buttons every dialog has, "Enter Key" (Command1) and "Cancel Key"
    // (Command2), at the given places, and ties them and Enter on the slider to the actions.
    void addEnterAndCancel(QAbstractSlider *slider, const QRect &enterGeometry,
                           const QRect &cancelGeometry);
    [[nodiscard]] QPushButton *enterButton() const { return m_enter; }
    // A read-only multi-line text box that never takes the focus from the slider; with a
    // button-face background for the hints beside the slider.
    QLabel *addTextBox(const QString &name, const QRect &geometry, int pointSize,
                       const QString &text, bool buttonFace);
    // Once the controls and their texts are made, before placing: keeps every control inside
    // the edge, and where a text box cannot show its whole text at the font in use, makes it
    // (and the dialog) wider or taller, moving what lies below it down.
    void fitTexts();
    // "Label1": the value being chosen, on light yellow.
    QLabel *addValueLabel(const QRect &geometry);
    // Whether Escape presses "Cancel Key".
    void setEscapeCancels(bool cancels) { m_escapeCancels = cancels; }
    // Enables the main window and unloads the dialog.
    void closeDialog();
    // Places the dialog: top = main top + main height - own height - aboveBottom (twips).
    [[nodiscard]] int topAboveMainBottom(int aboveBottomTwips) const;
    // Puts the dialog's top left corner at the screen point, or as near as it fits inside the
    // window.
    void placeAt(const QPoint &onScreen);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void reject() override;

    const EditContext &m_context;

private:
    // A part outside the window would be cut off, and could not be dragged back.
    void keepInsideWindow();

    bool m_escapeCancels = true;
    QAbstractSlider *m_slider = nullptr;
    QPushButton *m_enter = nullptr;
    QPushButton *m_cancel = nullptr;
};
