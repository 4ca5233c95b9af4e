#pragma once

#include "edit_dialog.h"
#include "image/map_kind.h"

class QLabel;
class QSlider;

// The map cell editor: "Form2" for the Fi map, "Form2_IGMAP" for the IG map. Edits the cell
// SelIndex (MapEditMode 3) or sets every cell of the map to one value (MapEditMode 2).
class MapCellEditor : public EditDialog {
    Q_OBJECT
public:
    MapCellEditor(MapKind kind, const EditContext &context);

    [[nodiscard]] QSlider *slider() const { return m_slider; }

    // Enter: the value into the cell (or every cell) of the document, one undo step.
    void MAP_data_Cheng();

protected:
    void enterAction() override { MAP_data_Cheng(); }
    void cancelAction() override;

private:
    void placeDialog();
    void refreshValue();
    [[nodiscard]] std::uint8_t byteAt(int position) const;
    [[nodiscard]] int positionOf(std::uint8_t value) const;
    [[nodiscard]] QString textOf(std::uint8_t value) const;

    MapKind m_kind;
    std::uint8_t m_mode;
    int m_cellIndex; // 0..175 in one-cell mode
    QSlider *m_slider = nullptr;
    QLabel *m_label1 = nullptr;
};
