#include "panels/single_value_panel.h"

#include "common/clickable_label.h"
#include "common/colours.h"
#include "common/element_name.h"
#include "common/zoomed_layout.h"
#include "compare/compare_mark.h"
#include "document/calibration_document.h"
#include "document/change_speed.h"
#include "document/comparison.h"
#include "image/ecu_tables.h"

namespace {

// The objectNames of a panel's controls, and the text it shows.
struct PanelSetup {
    const char *panel;
    const char *value;
    int unitIndex; // of the "(r/min)" label in its array
    QString EcuTables::*text;
};

const char *const UnitLabels = "Label15";

PanelSetup setupOf(SpeedSetting setting) {
    switch (setting) {
    case SpeedSetting::ShiftTiming:
        return {"Frame4", "Label14", 0, &EcuTables::ShiftNeText};
    case SpeedSetting::PitRoad:
        return {"FramePITroad", "Lbl_PITroad", 1, &EcuTables::PitLimitText};
    case SpeedSetting::IdleNe:
        break;
    }
    return {"FrameIdleNe", "Lbl_IdleNe", 2, &EcuTables::IdleNeText};
}

} // namespace

SingleValuePanel::SingleValuePanel(SpeedSetting setting, const QString &caption,
                                   const CalibrationDocument &document, QWidget *parent)
    : QGroupBox(caption, parent)
    , m_document(document)
    , m_text(setupOf(setting).text)
    , m_value(new ClickableLabel(this))
    , m_other(new QLabel(this))
    , m_offset(speedOffset(setting)) {
    const PanelSetup setup = setupOf(setting);
    const QString valueName = QLatin1String(setup.value);
    setObjectName(QLatin1String(setup.panel));
    m_value->setObjectName(valueName);
    placeInTwips(m_value, QRect(360, 480, 1800, 435));
    m_value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_value->setFrameShape(QFrame::Panel);
    m_value->setFrameShadow(QFrame::Sunken);
    setBackground(m_value, LightYellow);
    QFont font = m_value->font();
    font.setPointSize(font.pointSize() + 4);
    font.setBold(true);
    setDesignedFont(m_value, font);
    connect(m_value, &ClickableLabel::clicked, this, &SingleValuePanel::valueClicked);

    auto *unit = new QLabel(QStringLiteral("(r/min)"), this);
    unit->setObjectName(elementName(UnitLabels, setup.unitIndex));
    placeInTwips(unit, QRect(2280, 540, 1200, 315));
    m_other->setObjectName(valueName + QStringLiteral("Other"));
    placeInTwips(m_other, QRect(360, 960, 3000, 300));
    m_other->hide();

    connect(&document, &CalibrationDocument::dataReplaced, this, &SingleValuePanel::showStored);
    connect(&document, &CalibrationDocument::bytesChanged, this,
            [this](const ChangedBytes &changed) {
                if (changed.contains(m_offset))
                    showStored();
            });
}

void SingleValuePanel::showStored() {
    m_value->setText(m_document.tables().*m_text);
}

void SingleValuePanel::showPreview(const QString &text) {
    m_value->setText(text);
}

void SingleValuePanel::endPreview() {
    showStored();
}

void SingleValuePanel::setComparison(const Comparison *comparison) {
    connect(comparison, &Comparison::changed, this, [this, comparison] {
        const Difference *d = comparison->differenceAt(m_offset);
        const QString other = d ? parameterText(d->place.kind, d->theirs) : QString();
        showCompareMark(m_value, other);
        m_other->setText(QStringLiteral("other: ") + other);
        m_other->setVisible(d != nullptr);
    });
}
