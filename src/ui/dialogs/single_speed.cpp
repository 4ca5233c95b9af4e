#include "single_speed.h"

#include "common/clickable_label.h"
#include "document/calibration_document.h"
#include "panels/single_value_panel.h"
#include "window/window_state.h"

SingleSpeed::SingleSpeed(const EditContext &context, SpeedSetting setting, SingleValuePanel &panel,
                         std::uint8_t EcuTables::*data, QString EcuTables::*text, int stepsPerUnit)
    : m_context(&context)
    , m_setting(setting)
    , m_panel(&panel)
    , m_data(data)
    , m_text(text)
    , m_stepsPerUnit(stepsPerUnit) {}

SingleSpeed SingleSpeed::shiftTiming(const EditContext &context) {
    return {context,
            SpeedSetting::ShiftTiming,
            context.shiftTimingPanel,
            &EcuTables::ShiftNeData,
            &EcuTables::ShiftNeText,
            1};
}

SingleSpeed SingleSpeed::pitRoad(const EditContext &context) {
    return {context,
            SpeedSetting::PitRoad,
            context.pitRoadPanel,
            &EcuTables::PitLimitData,
            &EcuTables::PitLimitText,
            1};
}

SingleSpeed SingleSpeed::idleNe(const EditContext &context) {
    return {context,
            SpeedSetting::IdleNe,
            context.idleNePanel,
            &EcuTables::IdleNeData,
            &EcuTables::IdleNeText,
            2};
}

int SingleSpeed::position() const {
    return m_context->document.tables().*m_data * m_stepsPerUnit;
}

void SingleSpeed::show(int position) {
    WindowState &state = m_context->state;
    state.ValueByte = static_cast<std::uint8_t>(position);
    state.ValueText = QString::number(position * 100);
    m_panel->valueLabel()->setText(state.ValueText);
}

void SingleSpeed::store() {
    const auto value = static_cast<std::uint8_t>(m_context->state.ValueByte / m_stepsPerUnit);
    (void)m_context->document.apply(changeSpeed(m_setting, value));
}

void SingleSpeed::restore() {
    m_panel->valueLabel()->setText(m_context->document.tables().*m_text);
}
