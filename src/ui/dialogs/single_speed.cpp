#include "single_speed.h"

#include "main/clickable_label.h"
#include "main/main_window.h"
#include "main/single_value_panel.h"

SingleSpeed::SingleSpeed(MainWindow &main, SingleValuePanel *panel, std::uint8_t EcuTables::*data,
                         QString EcuTables::*text, int offset, int stepsPerUnit)
    : m_main(&main)
    , m_panel(panel)
    , m_data(data)
    , m_text(text)
    , m_offset(offset)
    , m_stepsPerUnit(stepsPerUnit) {}

SingleSpeed SingleSpeed::shiftTiming(MainWindow &main) {
    return {main,
            main.shiftTimingPanel(),
            &EcuTables::ShiftNeData,
            &EcuTables::ShiftNeText,
            ShiftNeOffset,
            1};
}

SingleSpeed SingleSpeed::pitRoad(MainWindow &main) {
    return {main,
            main.pitRoadPanel(),
            &EcuTables::PitLimitData,
            &EcuTables::PitLimitText,
            PitLimitOffset,
            1};
}

SingleSpeed SingleSpeed::idleNe(MainWindow &main) {
    return {main, main.idleNePanel(), &EcuTables::IdleNeData, &EcuTables::IdleNeText, IdleNeOffset,
            2};
}

int SingleSpeed::position() const {
    return m_main->data().tables.*m_data * m_stepsPerUnit;
}

void SingleSpeed::show(int position) {
    WindowState &state = m_main->state();
    state.ValueByte = static_cast<std::uint8_t>(position);
    state.ValueText = QString::number(position * 100);
    m_panel->valueLabel()->setText(state.ValueText);
}

void SingleSpeed::store() {
    const WindowState &state = m_main->state();
    EcuData &ecu = m_main->data();
    const auto value = static_cast<std::uint8_t>(state.ValueByte / m_stepsPerUnit);
    ecu.tables.*m_text = state.ValueText;
    ecu.tables.*m_data = value;
    ecu.image.setByte(m_offset, value);
}

void SingleSpeed::restore() {
    m_panel->valueLabel()->setText(m_main->data().tables.*m_text);
}
