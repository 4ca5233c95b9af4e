#pragma once

#include "document/change_speed.h"
#include "edit_context.h"
#include "image/ecu_tables.h"

#include <QString>
#include <cstdint>

// One of the three single engine speeds while its editor is open: its panel and value label,
// its table entries and the edit of its byte. The slider counts in units of 100 r/min; the idle
// speed is stored in units of 200 r/min, so its slider moves two steps a stored unit.
class SingleSpeed {
public:
    [[nodiscard]] static SingleSpeed shiftTiming(const EditContext &context);
    [[nodiscard]] static SingleSpeed pitRoad(const EditContext &context);
    [[nodiscard]] static SingleSpeed idleNe(const EditContext &context);

    [[nodiscard]] SingleValuePanel &panel() const { return *m_panel; }
    // The stored value as a slider position.
    [[nodiscard]] int position() const;
    // ValueByte and ValueText from a slider position, and the value label shows the text.
    void show(int position);
    // Enter: ValueByte (in stored units) into the document, one undo step.
    void store();
    // Cancel: the value label gets back the text in the table.
    void restore();

private:
    SingleSpeed(const EditContext &context, SpeedSetting setting, SingleValuePanel &panel,
                std::uint8_t EcuTables::*data, QString EcuTables::*text, int stepsPerUnit);

    const EditContext *m_context;
    SpeedSetting m_setting;
    SingleValuePanel *m_panel;
    std::uint8_t EcuTables::*m_data;
    QString EcuTables::*m_text;
    int m_stepsPerUnit;
};
