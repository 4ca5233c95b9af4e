#include "compare/take_commands.h"

#include "document/calibration_document.h"
#include "document/comparison.h"
#include "grid/map_grid_view.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

namespace {

// The objectName of a part's item: "mnuTakeFiMap", ...
QString itemName(TakenPart part) {
    return QStringLiteral("mnuTake") + takenPartText(part).remove(QLatin1Char(' '));
}

} // namespace

TakeCommands::TakeCommands(QMenu &editMenu, CalibrationDocument &document,
                           const Comparison &comparison, const std::array<MapGridView *, 2> &grids,
                           QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_comparison(comparison)
    , m_grids(grids) {
    editMenu.addSeparator();
    m_menu = editMenu.addMenu(QStringLiteral("Take from Other"));
    m_menu->setObjectName(QStringLiteral("mnuTakeFromOther"));
    for (std::size_t i = 0; i < std::size(TakenParts); ++i) {
        const TakenPart part = TakenParts[i];
        m_items[i] = m_menu->addAction(takenPartText(part));
        m_items[i]->setObjectName(itemName(part));
        connect(m_items[i], &QAction::triggered, this, [this, part] { (void)take(part); });
    }
    for (MapGridView *grid : m_grids) {
        connect(grid, &MapGridView::selectionChanged, this, &TakeCommands::update);
        connect(grid, &MapGridView::visibilityChanged, this, &TakeCommands::update);
    }
    connect(&comparison, &Comparison::changed, this, &TakeCommands::update);
    update();
}

void TakeCommands::setAvailable(bool available) {
    m_available = available;
    update();
}

std::optional<SelectedCells> TakeCommands::selectedCells() const {
    for (const MapGridView *grid : m_grids) {
        if (grid->isVisible() && grid->isEnabled())
            return SelectedCells{grid->kind(), grid->selection().target()};
    }
    return std::nullopt;
}

bool TakeCommands::take(TakenPart part) {
    const std::optional<SelectedCells> cells = selectedCells();
    if (!m_comparison.isActive() || (part == TakenPart::SelectedCells && !cells))
        return false;
    return m_document.apply(takeFromOther(part, cells.value_or(SelectedCells{}), m_document.image(),
                                          m_comparison.other(), m_comparison.name()));
}

void TakeCommands::update() {
    const bool on = m_available && m_comparison.isActive() && m_document.hasData();
    const std::optional<SelectedCells> cells = selectedCells();
    for (std::size_t i = 0; i < std::size(TakenParts); ++i) {
        const TakenPart part = TakenParts[i];
        bool differs = false;
        if (on && (part != TakenPart::SelectedCells || cells)) {
            const std::vector<int> offsets = takenOffsets(part, cells.value_or(SelectedCells{}));
            differs = std::any_of(offsets.cbegin(), offsets.cend(), [this](int offset) {
                return m_comparison.differenceAt(offset) != nullptr;
            });
        }
        m_items[i]->setEnabled(differs);
    }
    m_menu->setEnabled(on);
}

QMenu *TakeCommands::choiceMenu(QWidget *parent, bool cellsSelectable,
                                const std::function<void(TakenPart)> &chosen) {
    auto *menu = new QMenu(parent);
    for (const TakenPart part : TakenParts) {
        QAction *item = menu->addAction(takenPartText(part));
        item->setObjectName(itemName(part));
        item->setEnabled(part != TakenPart::SelectedCells || cellsSelectable);
        QObject::connect(item, &QAction::triggered, menu, [chosen, part] { chosen(part); });
    }
    return menu;
}
