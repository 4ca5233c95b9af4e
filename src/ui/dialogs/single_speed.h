#pragma once

#include "image/ecu_tables.h"

#include <QString>
#include <cstdint>

class ClickableLabel;
class MainWindow;
class SingleValuePanel;

// One of the three single engine speeds while its editor is open: its panel and value label,
// its table entries and image byte. The slider counts in units of 100 r/min; the idle speed is
// stored in units of 200 r/min, so its slider moves two steps a stored unit.
class SingleSpeed {
public:
    [[nodiscard]] static SingleSpeed shiftTiming(MainWindow &main);
    [[nodiscard]] static SingleSpeed pitRoad(MainWindow &main);
    [[nodiscard]] static SingleSpeed idleNe(MainWindow &main);

    [[nodiscard]] SingleValuePanel *panel() const { return m_panel; }
    // The stored value as a slider position.
    [[nodiscard]] int position() const;
    // ValueByte and ValueText from a slider position, and the value label shows the text.
    void show(int position);
    // Enter: ValueText and ValueByte (in stored units) into text, table and image.
    void store();
    // Cancel: the value label gets back the text in the table.
    void restore();

private:
    SingleSpeed(MainWindow &main, SingleValuePanel *panel, std::uint8_t EcuTables::*data,
                QString EcuTables::*text, int offset, int stepsPerUnit);

    MainWindow *m_main;
    SingleValuePanel *m_panel;
    std::uint8_t EcuTables::*m_data;
    QString EcuTables::*m_text;
    int m_offset;
    int m_stepsPerUnit;
};
