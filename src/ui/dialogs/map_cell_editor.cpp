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
#include "window/window_state.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int ClientWidth = 1320;
constexpr int ClientHeight = 6645;
constexpr std::uint8_t WholeMap = 2;
constexpr std::uint8_t OneCell = 3;

} // namespace

MapCellEditor::MapCellEditor(MapKind kind, const EditContext &context)
    : EditDialog(context,
                 kind == MapKind::Fi ? QStringLiteral("Form2") : QStringLiteral("Form2_IGMAP"),
                 ClientWidth, ClientHeight)
    , m_kind(kind)
    , m_mode(context.state.MapEditMode)
    , m_cellIndex(context.state.SelIndex) {
    const QString hintAbove = QStringLiteral("increase fuel\n duration\nup key control");
    const QString hintBelow = QStringLiteral("decrease fuel\n duration\ndown key control");
    WindowState &state = m_context.state;
    const int th = m_cellIndex / NeColumns;
    const int ne = m_cellIndex % NeColumns;
    const QString title =
        m_mode == WholeMap
            ? (kind == MapKind::Fi ? QStringLiteral("Fi Map") : QStringLiteral("IG Map")) +
                  QStringLiteral("\nAll area \nData Change")
            : QStringLiteral("TH Position\n: %1\nNE Position\n: %2").arg(th + 1).arg(ne + 1);
    addTextBox(QStringLiteral("Text1"), twipsRect(60, 60, 1155, 1035), m_mode == WholeMap ? 9 : 8,
               title, false);
    addTextBox(QStringLiteral("Text2"), twipsRect(120, 1200, 1095, 675), 8, hintAbove, true);
    m_slider = new ValueSlider(Qt::Vertical, this);
    m_slider->setObjectName(QStringLiteral("Slider1"));
    m_slider->setGeometry(twipsRect(360, 1920, 630, 2235));
    // Position 0 at the top; Up raises the value.
    m_slider->setInvertedAppearance(true);
    m_slider->setInvertedControls(true);
    m_slider->setRange(0, kind == MapKind::Fi ? FiSliderScale : IgSliderScale);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(5);
    m_slider->setTickInterval(5);
    m_slider->setTickPosition(QSlider::TicksBothSides);
    addTextBox(QStringLiteral("Text3"), twipsRect(0, 4200, 1335, 855), 8, hintBelow, true);
    m_label1 = addValueLabel(twipsRect(60, 5100, 1155, 375));
    addEnterAndCancel(m_slider, twipsRect(60, 5580, 1155, 435), twipsRect(60, 6120, 1155, 435));
    fitTexts();
    placeDialog();

    if (m_mode == WholeMap) {
        state.ValueByte = kind == MapKind::Fi ? 100 : 0;
        state.ValueText = textOf(state.ValueByte);
        m_label1->setText(state.ValueText);
    } else {
        const EcuTables &t = m_context.document.tables();
        const auto &table = kind == MapKind::Fi ? t.KmapData : t.IGmapData;
        state.ValueByte = table[static_cast<std::size_t>(th)][static_cast<std::size_t>(ne)];
        ClickableLabel *cell = m_context.grid(kind).cell(m_cellIndex + 1);
        m_label1->setText(cell->text());
        // The cell is marked while it is edited.
        setBackground(cell, buttonFaceColour());
    }
    // Positions outside the scale stop at its nearest end; the value shown follows.
    m_slider->setValue(positionOf(state.ValueByte));
    connect(m_slider, &QSlider::valueChanged, this, [this] { refreshValue(); });
    refreshValue();
}

void MapCellEditor::placeDialog() {
    int left = m_context.window.frameGeometry().left();
    if (m_mode == OneCell) {
        // Beside the clicked cell; cells of the last NE column get the dialog on their left, as
        // far from the cell as the others on their right: it never covers the cell it edits.
        const ClickableLabel *cell = m_context.grid(m_kind).cell(m_cellIndex + 1);
        const int cellLeft = cell->mapToGlobal(QPoint(0, 0)).x();
        if ((m_cellIndex + 1) % NeColumns != 0)
            left = cellLeft + cell->width() + twipsToPixelsX(350);
        else
            left = cellLeft - twipsToPixelsX(350) - width();
    }
    move(left, topAboveMainBottom(440));
}

std::uint8_t MapCellEditor::byteAt(int position) const {
    return m_kind == MapKind::Fi ? fiByteAtPosition(position) : igByteAtPosition(position);
}

int MapCellEditor::positionOf(std::uint8_t value) const {
    return m_kind == MapKind::Fi ? fiSliderPosition(value) : igSliderPosition(value);
}

QString MapCellEditor::textOf(std::uint8_t value) const {
    return m_kind == MapKind::Fi ? fiText(value) : igText(value);
}

void MapCellEditor::refreshValue() {
    WindowState &state = m_context.state;
    state.ValueByte = byteAt(m_slider->value());
    state.ValueText = textOf(state.ValueByte);
    m_label1->setText(state.ValueText);
}

void MapCellEditor::MAP_data_Cheng() {
    const std::uint8_t value = m_context.state.ValueByte;
    if (m_mode == OneCell) {
        (void)m_context.document.apply(changeCell(m_kind, m_cellIndex + 1, value));
        setBackground(m_context.grid(m_kind).cell(m_cellIndex + 1), LightYellow);
    } else {
        (void)m_context.document.apply(changeAllCells(m_kind, value));
    }
    m_context.controls.enableCommandsAfterMapEdit(true, true);
    closeDialog();
}

void MapCellEditor::cancelAction() {
    if (m_mode == OneCell)
        setBackground(m_context.grid(m_kind).cell(m_cellIndex + 1), LightYellow);
    m_context.controls.enableCommandsAfterMapEdit(false, m_kind == MapKind::Fi);
    closeDialog();
}
