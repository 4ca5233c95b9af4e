#pragma once

#include "edit_dialog.h"
#include "edit_request.h"

class QLabel;
class QSlider;

// The map cell editor: "Form2" for the Fi map, "Form2_IGMAP" for the IG map. Edits one cell,
// marked in its grid while the dialog is open, or sets every cell of the map to one value.
class MapCellEditor : public EditDialog {
    Q_OBJECT
public:
    MapCellEditor(const EditContext &context, const MapCellRequest &request);

    [[nodiscard]] QSlider *slider() const { return m_slider; }

protected:
    // The value into the cell (or every cell) of the document, one undo step.
    void enterAction() override;
    void cancelAction() override;

private:
    void placeDialog();
    void showValue();
    [[nodiscard]] std::uint8_t byteAt(int position) const;
    [[nodiscard]] int positionOf(std::uint8_t value) const;
    [[nodiscard]] QString textOf(std::uint8_t value) const;
    void endCellMark();

    MapKind m_map;
    std::optional<int> m_cell; // grid element 1..176; none: the whole map
    std::uint8_t m_value = 0;  // the value chosen
    QSlider *m_slider = nullptr;
    QLabel *m_valueLabel = nullptr;
};
