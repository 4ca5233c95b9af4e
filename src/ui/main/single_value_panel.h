#pragma once

#include <QGroupBox>

class ClickableLabel;

// One of the small panels that show a single engine speed: "ShiftTiming Indicator" (Frame4,
// value Label14), "PITroad Limit" (FramePITroad, Lbl_PITroad), "Idring Ne" (FrameIdleNe,
// Lbl_IdleNe). A click on the value opens its editor.
class SingleValuePanel : public QGroupBox {
    Q_OBJECT
public:
    SingleValuePanel(const QString &panelName, const QString &caption, const QString &valueName,
                     int unitIndex, QWidget *parent = nullptr);

    [[nodiscard]] ClickableLabel *valueLabel() const { return m_value; }

signals:
    void valueClicked();

private:
    ClickableLabel *m_value;
};
