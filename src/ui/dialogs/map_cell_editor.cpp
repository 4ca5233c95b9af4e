#include "map_cell_editor.h"

#include "common/clickable_label.h"
#include "common/colours.h"
#include "common/twips.h"
#include "common/value_slider.h"
#include "common/window_controls.h"
#include "document/calibration_document.h"
#include "document/change_cells.h"
#include "grid/map_grid_view.h"
#include "image/display_text.h"
#include "image/graph_position.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int ClientWidth = 1320;
constexpr int ClientHeight = 6645;

} // namespace

MapCellEditor::MapCellEditor(const EditContext &context, const MapCellRequest &request)
    : EditDialog(context,
                 request.map == MapKind::Fi ? QStringLiteral("Form2")
                                            : QStringLiteral("Form2_IGMAP"),
                 ClientWidth, ClientHeight)
    , m_map(request.map)
    , m_cell(request.cell) {
    const QString hintAbove = QStringLiteral("increase fuel\n duration\nup key control");
    const QString hintBelow = QStringLiteral("decrease fuel\n duration\ndown key control");
    const QString title =
        m_cell ? QStringLiteral("TH Position\n: %1\nNE Position\n: %2")
                     .arg(thRowOfCell(*m_cell))
                     .arg(neColumnOfCell(*m_cell))
               : (m_map == MapKind::Fi ? QStringLiteral("Fi Map") : QStringLiteral("IG Map")) +
                     QStringLiteral("\nAll area \nData Change");
    addTextBox(QStringLiteral("Text1"), twipsRect(60, 60, 1155, 1035), m_cell ? 8 : 9, title,
               false);
    addTextBox(QStringLiteral("Text2"), twipsRect(120, 1200, 1095, 675), 8, hintAbove, true);
    m_slider = new ValueSlider(Qt::Vertical, this);
    m_slider->setObjectName(QStringLiteral("Slider1"));
    m_slider->setGeometry(twipsRect(360, 1920, 630, 2235));
    // Position 0 at the top; Up raises the value.
    m_slider->setInvertedAppearance(true);
    m_slider->setInvertedControls(true);
    m_slider->setRange(0, m_map == MapKind::Fi ? FiSliderScale : IgSliderScale);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(5);
    m_slider->setTickInterval(5);
    m_slider->setTickPosition(QSlider::TicksBothSides);
    addTextBox(QStringLiteral("Text3"), twipsRect(0, 4200, 1335, 855), 8, hintBelow, true);
    m_valueLabel = addValueLabel(twipsRect(60, 5100, 1155, 375));
    addEnterAndCancel(m_slider, twipsRect(60, 5580, 1155, 435), twipsRect(60, 6120, 1155, 435));
    fitTexts();
    placeDialog();

    // The whole map starts at a change of zero, a cell at its value.
    std::uint8_t start = m_map == MapKind::Fi ? 100 : 0;
    if (m_cell) {
        const EcuTables &t = m_context.document.tables();
        const auto &table = m_map == MapKind::Fi ? t.KmapData : t.IGmapData;
        start = table[static_cast<std::size_t>(thRowOfCell(*m_cell) - 1)]
                     [static_cast<std::size_t>(neColumnOfCell(*m_cell) - 1)];
        m_context.grid(m_map).markCellEdited(*m_cell, true);
    }
    // Positions outside the scale stop at its nearest end; the value shown follows.
    m_slider->setValue(positionOf(start));
    connect(m_slider, &QSlider::valueChanged, this, [this] { showValue(); });
    showValue();
}

void MapCellEditor::placeDialog() {
    int left = m_context.window.frameGeometry().left();
    if (m_cell) {
        // Beside the clicked cell; cells of the last NE column get the dialog on their left, as
        // far from the cell as the others on their right: it never covers the cell it edits.
        const ClickableLabel *cell = m_context.grid(m_map).cell(*m_cell);
        const int cellLeft = cell->mapToGlobal(QPoint(0, 0)).x();
        if (neColumnOfCell(*m_cell) != NeColumns)
            left = cellLeft + cell->width() + twipsToPixelsX(350);
        else
            left = cellLeft - twipsToPixelsX(350) - width();
    }
    placeAt({left, topAboveMainBottom(440)});
}

std::uint8_t MapCellEditor::byteAt(int position) const {
    return m_map == MapKind::Fi ? fiByteAtPosition(position) : igByteAtPosition(position);
}

int MapCellEditor::positionOf(std::uint8_t value) const {
    return m_map == MapKind::Fi ? fiSliderPosition(value) : igSliderPosition(value);
}

QString MapCellEditor::textOf(std::uint8_t value) const {
    return m_map == MapKind::Fi ? fiText(value) : igText(value);
}

void MapCellEditor::showValue() {
    m_value = byteAt(m_slider->value());
    m_valueLabel->setText(textOf(m_value));
}

void MapCellEditor::endCellMark() {
    if (m_cell)
        m_context.grid(m_map).markCellEdited(*m_cell, false);
}

void MapCellEditor::enterAction() {
    if (m_cell)
        (void)m_context.document.apply(changeCell(m_map, *m_cell, m_value));
    else
        (void)m_context.document.apply(changeAllCells(m_map, m_value));
    endCellMark();
    m_context.controls.enableCommandsAfterMapEdit(true, true);
    closeDialog();
}

void MapCellEditor::cancelAction() {
    endCellMark();
    m_context.controls.enableCommandsAfterMapEdit(false, m_map == MapKind::Fi);
    closeDialog();
}
