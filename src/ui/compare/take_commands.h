#pragma once

#include "document/change_from_other.h"

#include <QObject>
#include <array>
#include <functional>
#include <optional>

class CalibrationDocument;
class Comparison;
class MapGridView;
class QAction;
class QMenu;
class QWidget;

// "Edit > Take from Other": the Fi, IG or RU map, an axis, the three speeds or the shown grid's
// selected cells taken back from the calibration compared with, each as one undo step. An item
// is on only where that part differs, and all are off without a comparison, while a dialog is
// open or a transfer runs.
class TakeCommands : public QObject {
    Q_OBJECT
public:
    TakeCommands(QMenu &editMenu, CalibrationDocument &document, const Comparison &comparison,
                 const std::array<MapGridView *, 2> &grids, QObject *parent = nullptr);

    void setAvailable(bool available);
    [[nodiscard]] QMenu *menu() const { return m_menu; }
    // The grid's selection, when a grid is shown.
    [[nodiscard]] std::optional<SelectedCells> selectedCells() const;
    // Takes the part from the calibration compared with; false when that changed nothing.
    bool take(TakenPart part);

    // The same choices as a menu of their own, e.g. for a button: chosen(part) on a choice.
    // Selected cells only when cellsSelectable.
    static QMenu *choiceMenu(QWidget *parent, bool cellsSelectable,
                             const std::function<void(TakenPart)> &chosen);

private:
    void update();

    CalibrationDocument &m_document;
    const Comparison &m_comparison;
    std::array<MapGridView *, 2> m_grids;
    QMenu *m_menu = nullptr;
    std::array<QAction *, std::size(TakenParts)> m_items{};
    bool m_available = true;
};
