#pragma once

#include <QToolBar>
#include <array>

class CalibrationDocument;
class MapGridView;
class QLabel;
class QSpinBox;

// "Operating Point…": a line at the foot of the window where an engine speed and a throttle
// opening are typed. Both grids frame the four cells the ECU interpolates between there, and the
// line shows the Fi and IG values it reads. It stays, following every edit, undo and load, until
// it is closed (its button or Escape); it never holds up editing.
class OperatingPointBar : public QToolBar {
    Q_OBJECT
public:
    OperatingPointBar(const CalibrationDocument &document,
                      const std::array<MapGridView *, 2> &grids, QWidget *parent = nullptr);

    // Shows the bar, the engine speed ready to be typed over.
    void open();
    void closeBar();

    [[nodiscard]] QSpinBox *speedBox() const { return m_speed; }
    [[nodiscard]] QSpinBox *throttleBox() const { return m_throttle; }
    [[nodiscard]] QLabel *reading() const { return m_reading; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showReading();
    // Enter in a field: the keys go back to the grid shown.
    void returnToGrid();

    const CalibrationDocument &m_document;
    std::array<MapGridView *, 2> m_grids;
    QSpinBox *m_speed = nullptr;
    QSpinBox *m_throttle = nullptr;
    QLabel *m_reading = nullptr;
    bool m_open = false;
};
