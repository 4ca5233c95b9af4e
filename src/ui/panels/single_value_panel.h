#pragma once

#include "image/ecu_tables.h"

#include <QGroupBox>

class CalibrationDocument;
class ClickableLabel;
class Comparison;
class QLabel;

// One of the small panels that show a single engine speed: "ShiftTiming Indicator" (Frame4,
// value Label14), "PITroad Limit" (FramePITroad, Lbl_PITroad), "Idring Ne" (FrameIdleNe,
// Lbl_IdleNe). A click on the value opens its editor. The value follows the document: its text
// at offset after a load, an edit, an undo or a redo.
class SingleValuePanel : public QGroupBox {
    Q_OBJECT
public:
    SingleValuePanel(const QString &panelName, const QString &caption, const QString &valueName,
                     int unitIndex, const CalibrationDocument &document, int offset,
                     QString EcuTables::*text, QWidget *parent = nullptr);

    [[nodiscard]] ClickableLabel *valueLabel() const { return m_value; }
    // The compared calibration's value, shown below the value while it differs.
    [[nodiscard]] QLabel *otherLabel() const { return m_other; }
    // Follows a comparison: the value marked and the other value shown while they differ.
    void setComparison(const Comparison *comparison);
    // While its editor is open the value shows the speed being chosen; when it closes, the
    // value shows its text in the tables again.
    void showPreview(const QString &text);
    void endPreview();

signals:
    void valueClicked();

private:
    void showStored();

    const CalibrationDocument &m_document;
    QString EcuTables::*m_text;
    ClickableLabel *m_value;
    QLabel *m_other;
    int m_offset;
};
