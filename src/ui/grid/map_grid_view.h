#pragma once

#include "common/colour_maps.h"
#include "document/cell_block.h"
#include "document/change_axis_point.h"
#include "document/difference_texts.h"
#include "grid/grid_cell.h"
#include "grid/map_selection.h"
#include "image/ecu_tables.h"
#include "image/map_kind.h"

#include <QGroupBox>
#include <array>
#include <optional>

class CalibrationDocument;
class ChangedBytes;
class Comparison;
class QLabel;
class QPushButton;
class ValueLegend;

// A numeric map view: 176 cells (row 1 at the bottom), the TH axis on the left, the NE axis
// below and "All area Data change".
// It follows the document: a load refills it, an edit, undo or redo shows the bytes it changed.
// It takes the keyboard focus: a cell cursor, a selection made with the keys or by dragging,
// and a number typed for the selection; what the selection is changed by is the Edit menu's.
class MapGridView : public QGroupBox {
    Q_OBJECT
public:
    MapGridView(MapKind kind, const CalibrationDocument &document, QWidget *parent = nullptr);

    [[nodiscard]] MapKind kind() const { return m_kind; }
    // Cell element k, 1..176.
    [[nodiscard]] GridCell *cell(int k) const;
    // NE axis element i, 1..16 (17 is the title).
    [[nodiscard]] ClickableLabel *neLabel(int i) const;
    // TH axis element i, 1..11.
    [[nodiscard]] ClickableLabel *thLabel(int i) const;
    [[nodiscard]] ClickableLabel *axisLabel(Axis axis, int i) const;
    [[nodiscard]] QPushButton *allAreaButton() const { return m_allAreaButton; }

    // Refresh after a load: the cell captions, and for the Fi grid every axis label.
    void showTables(const EcuTables &tables);
    // Filling the view when it is selected: cells, TH points 1..10 and NE points 1..16.
    void fill(const EcuTables &tables);
    // The cells and axis points whose bytes changed.
    void showChanged(const ChangedBytes &changed, const EcuTables &tables);
    // Follows a comparison: the cells and axis points that differ are marked.
    void setComparison(const Comparison *comparison);
    // While a comparison is on, the cells show their values or their differences, and with
    // onlyChanged the values equal to the other's are dimmed.
    void showDifferences(CellTexts shown, bool onlyChanged);
    // The four cells an operating point reads are framed; nothing frames none.
    void frameOperatingPoint(const std::optional<CellBlock> &cells);

    [[nodiscard]] const MapSelection &selection() const { return m_selection; }
    void selectAll();
    // The focus back to the grid with the cursor on cell k (after its cell editor closed).
    void returnFocus(int k);
    // Starts typing a value for the selection, as a typed digit does.
    void beginEntry();
    // Each cell's background follows its value on the 3-D views' colour scale, with the scale's
    // legend beside the grid.
    void setValueColours(bool on);
    [[nodiscard]] bool valueColours() const { return m_valueColours; }
    [[nodiscard]] ValueLegend *valueLegend() const { return m_legend; }

    // While a cell editor is open its cell is marked (button face); the mark goes when it closes.
    void markCellEdited(int k, bool edited);
    // While an axis editor is open, point i of the axis shows the value being chosen, in bold;
    // when it closes, the point shows its text in the tables again.
    void previewAxisPoint(Axis axis, int i, const QString &text);
    void endAxisPreview(Axis axis, int i);

signals:
    void cellClicked(int k);
    void neLabelClicked(int i);
    void thLabelClicked(int i);
    void allAreaClicked();
    void selectionChanged();
    // Enter after a typed number: the text typed.
    void valueTyped(const QString &text);
    void visibilityChanged();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void showCells(const EcuTables &tables);
    // The selection or the cursor moved: redraw the marks, tell the listeners.
    void selectionMoved();
    void decorateCells();
    void showStatus();
    void endEntry();
    [[nodiscard]] bool typeIntoEntry(const QKeyEvent *key);
    [[nodiscard]] int cellAt(QPoint inGrid) const;
    void showComparison();
    // Each cell's tooltip: where it lies, its value and the compared calibration's value.
    void showToolTips();
    // What cell k shows: its text in the tables, or its difference from the compared one.
    [[nodiscard]] QString shownText(int k, const EcuTables &tables) const;
    [[nodiscard]] bool showsDifferences() const;

    MapKind m_kind;
    const CalibrationDocument &m_document;
    std::array<GridCell *, 176> m_cells{};
    std::array<ClickableLabel *, 17> m_neLabels{};
    std::array<ClickableLabel *, 12> m_thLabels{};
    QPushButton *m_allAreaButton = nullptr;
    QLabel *m_statusLabel = nullptr;
    ValueLegend *m_legend = nullptr;
    const Comparison *m_comparison = nullptr;
    CellTexts m_cellTexts = CellTexts::Values;
    bool m_onlyChanged = false;
    std::optional<CellBlock> m_operatingPoint;

    MapSelection m_selection;
    QList<ColourStop> m_spectrum;
    bool m_valueColours = false;
    bool m_entering = false;
    QString m_entry;
    // A press on a cell: a drag from it selects, a release without one opens its editor.
    int m_pressed = 0;
    bool m_selectedByMouse = false;
};
