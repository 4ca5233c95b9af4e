#pragma once

#include "image/ecu_tables.h"
#include "image/map_kind.h"

class CalibrationDocument;
class ChangedBytes;

#include <QGroupBox>
#include <array>

class ClickableLabel;
class QPushButton;

// A numeric map view: 176 cells (row 1 at the bottom), the TH axis on the left, the NE axis
// below and "All area Data change". Panel "Frame1" for the Fi map, "FrameIG_Map_NUM" for IG.
// It follows the document: a load refills it, an edit, undo or redo shows the bytes it changed.
class MapGridView : public QGroupBox {
    Q_OBJECT
public:
    MapGridView(MapKind kind, const CalibrationDocument &document, QWidget *parent = nullptr);

    [[nodiscard]] MapKind kind() const { return m_kind; }
    // Cell element k, 1..176.
    [[nodiscard]] ClickableLabel *cell(int k) const;
    // NE axis element i, 1..16 (17 is the title).
    [[nodiscard]] ClickableLabel *neLabel(int i) const;
    // TH axis element i, 1..11.
    [[nodiscard]] ClickableLabel *thLabel(int i) const;
    [[nodiscard]] QPushButton *allAreaButton() const { return m_allArea; }

    // Refresh after a load: the cell captions, and for the Fi grid every axis label.
    void showTables(const EcuTables &tables);
    // Filling the view when it is selected: cells, TH points 1..10 and NE points 1..16.
    void fill(const EcuTables &tables);
    // The cells and axis points whose bytes changed.
    void showChanged(const ChangedBytes &changed, const EcuTables &tables);

signals:
    void cellClicked(int k);
    void neLabelClicked(int i);
    void thLabelClicked(int i);
    void allAreaClicked();

private:
    void showCells(const EcuTables &tables);

    MapKind m_kind;
    std::array<ClickableLabel *, 176> m_cells{};
    std::array<ClickableLabel *, 17> m_neLabels{};
    std::array<ClickableLabel *, 12> m_thLabels{};
    QPushButton *m_allArea = nullptr;
};
