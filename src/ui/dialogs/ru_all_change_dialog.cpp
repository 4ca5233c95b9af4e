#include "ru_all_change_dialog.h"

#include "common/colours.h"
#include "common/twips.h"
#include "common/value_slider.h"
#include "common/window_controls.h"
#include "document/calibration_document.h"
#include "document/change_ru.h"
#include "image/display_text.h"
#include "image/graph_position.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int ClientWidth = 1320;
constexpr int ClientHeight = 6345;

// A read-only caption box beside the slider's end.
QLineEdit *endCaption(QWidget *parent, const QString &name, const QRect &geometry,
                      const QString &text) {
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFrame(false);
    QFont font = box->font();
    font.setPointSize(8);
    box->setFont(font);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, buttonFaceColour());
    box->setPalette(palette);
    return box;
}

} // namespace

RuAllChangeDialog::RuAllChangeDialog(const EditContext &context)
    : EditDialog(context, QStringLiteral("Form6"), ClientWidth, ClientHeight) {
    addTextBox(QStringLiteral("Text1"), twipsRect(60, 480, 1155, 735), 9,
               QStringLiteral("RU Map\nData\nAll Change"), false);
    endCaption(this, QStringLiteral("Text2"), twipsRect(60, 1740, 1095, 255),
               QStringLiteral(" 15%"));
    endCaption(this, QStringLiteral("Text3"), twipsRect(0, 3600, 1095, 255),
               QStringLiteral("-15%"));

    m_slider = new ValueSlider(Qt::Vertical, this);
    m_slider->setObjectName(QStringLiteral("Slider1"));
    m_slider->setGeometry(twipsRect(660, 1680, 630, 2235));
    // Position 0 at the top; Up raises the value; Page Up and Page Down jump to an end.
    m_slider->setInvertedAppearance(true);
    m_slider->setInvertedControls(true);
    m_slider->setRange(0, RuSliderScale);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(RuSliderScale);
    m_slider->setTickInterval(1);
    m_slider->setTickPosition(QSlider::TicksRight);

    m_valueLabel = addValueLabel(twipsRect(60, 4260, 1155, 375));
    addEnterAndCancel(m_slider, twipsRect(60, 5040, 1155, 435), twipsRect(60, 5700, 1155, 435));
    fitTexts();

    placeAt({m_context.window.frameGeometry().left(), topAboveMainBottom(440)});

    // Opens at 0 %.
    m_slider->setValue(ruSliderPosition(0));
    connect(m_slider, &QSlider::valueChanged, this, [this] { showValue(); });
    showValue();
}

void RuAllChangeDialog::showValue() {
    m_value = ruByteAtPosition(m_slider->value());
    m_valueLabel->setText(ruEditText(m_value));
}

void RuAllChangeDialog::enterAction() {
    // The RU view shows the new values by itself: it follows the document.
    (void)m_context.document.apply(changeAllRuPoints(m_value));
    closeAndHandBackCommands();
}

void RuAllChangeDialog::cancelAction() {
    closeAndHandBackCommands();
}

void RuAllChangeDialog::closeAndHandBackCommands() {
    m_context.controls.enableCommandsAfterMapEdit(true, true);
    closeDialog();
}
