#pragma once

#include <QGroupBox>

class CalibrationDocument;
class ClickableLabel;
class Comparison;
struct EcuTables;
class QLabel;
enum class SpeedSetting;

// One of the small panels that show a single engine speed: "ShiftTiming Indicator", "PITroad
// Limit" or "Idring Ne". A click on the value opens its editor. The value follows the document:
// its text after a load, an edit, an undo or a redo.
class SingleValuePanel : public QGroupBox {
    Q_OBJECT
public:
    SingleValuePanel(SpeedSetting setting, const QString &caption,
                     const CalibrationDocument &document, QWidget *parent = nullptr);

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
