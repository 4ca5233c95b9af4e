#include "grid/map_edit_commands.h"

#include "document/calibration_document.h"
#include "document/map_clipboard.h"
#include "files/operator.h"
#include "grid/cell_arithmetic_dialog.h"
#include "grid/map_grid_view.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace {

constexpr std::array<int, 4> StepSizes{1, -1, 5, -5};

} // namespace

MapEditCommands::MapEditCommands(QMenu &menu, CalibrationDocument &document, Operator &messages,
                                 const std::array<MapGridView *, 2> &grids, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_messages(messages)
    , m_grids(grids) {
    menu.addSeparator();
    m_selectAll = addAction(menu, "mnuSelectAll", QStringLiteral("Select Whole Map"),
                            QKeySequence::SelectAll);
    const std::array<const char *, 4> names{"mnuStepUp", "mnuStepDown", "mnuStepUp5",
                                            "mnuStepDown5"};
    const std::array<QString, 4> texts{QStringLiteral("Step Up"), QStringLiteral("Step Down"),
                                       QStringLiteral("Step Up 5"), QStringLiteral("Step Down 5")};
    const std::array<QKeySequence, 4> keys{QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Minus),
                                           QKeySequence(Qt::Key_PageUp),
                                           QKeySequence(Qt::Key_PageDown)};
    for (std::size_t i = 0; i < StepSizes.size(); ++i) {
        m_steps[i] = addAction(menu, names[i], texts[i], keys[i]);
        connect(m_steps[i], &QAction::triggered, this, [this, i] { step(StepSizes[i]); });
    }
    m_setValue =
        addAction(menu, "mnuSetValue", QStringLiteral("Set Value..."), QKeySequence(Qt::Key_Equal));
    m_interpolate = addAction(menu, "mnuInterpolate", QStringLiteral("Interpolate"),
                              QKeySequence(Qt::CTRL | Qt::Key_I));
    m_smooth =
        addAction(menu, "mnuSmooth", QStringLiteral("Smooth"), QKeySequence(Qt::CTRL | Qt::Key_M));
    // The keys tuners know from other map editors: . and > up, , and < down (with Shift, as
    // > and < are typed on most keyboards, five steps), / interpolates, H and V one way only.
    for (const auto &[action, key] :
         {std::pair{m_steps[0], Qt::Key_Period}, std::pair{m_steps[1], Qt::Key_Comma},
          std::pair{m_steps[2], Qt::Key_Greater}, std::pair{m_steps[3], Qt::Key_Less},
          std::pair{m_interpolate, Qt::Key_Slash}})
        alsoOn(action, {QKeySequence(key)});
    m_interpolateRows =
        addAction(menu, "mnuInterpolateRows", QStringLiteral("Interpolate Along Rows"),
                  QKeySequence(Qt::Key_H));
    m_interpolateColumns =
        addAction(menu, "mnuInterpolateColumns", QStringLiteral("Interpolate Along Columns"),
                  QKeySequence(Qt::Key_V));
    m_scale =
        addAction(menu, "mnuScale", QStringLiteral("Scale\u2026"), QKeySequence(Qt::Key_Asterisk));
    m_add = addAction(menu, "mnuAdd", QStringLiteral("Add\u2026"), QKeySequence());
    menu.addSeparator();
    m_copy = addAction(menu, "mnuCopy", QStringLiteral("Copy"), QKeySequence::Copy);
    m_paste = addAction(menu, "mnuPaste", QStringLiteral("Paste"), QKeySequence::Paste);

    connect(m_selectAll, &QAction::triggered, this, [this] {
        if (MapGridView *grid = shownGrid())
            grid->selectAll();
    });
    connect(m_setValue, &QAction::triggered, this, [this] {
        if (MapGridView *grid = shownGrid())
            grid->beginEntry();
    });
    connect(m_interpolate, &QAction::triggered, this, &MapEditCommands::interpolate);
    connect(m_smooth, &QAction::triggered, this, &MapEditCommands::smooth);
    connect(m_interpolateRows, &QAction::triggered, this,
            [this] { interpolateAlong(Along::Rows); });
    connect(m_interpolateColumns, &QAction::triggered, this,
            [this] { interpolateAlong(Along::Columns); });
    connect(m_scale, &QAction::triggered, this, [this] { openArithmetic(Arithmetic::Scale); });
    connect(m_add, &QAction::triggered, this, [this] { openArithmetic(Arithmetic::Add); });
    connect(m_copy, &QAction::triggered, this, &MapEditCommands::copy);
    connect(m_paste, &QAction::triggered, this, &MapEditCommands::paste);
    for (MapGridView *grid : m_grids) {
        connect(grid, &MapGridView::selectionChanged, this, &MapEditCommands::update);
        connect(grid, &MapGridView::visibilityChanged, this, &MapEditCommands::update);
        connect(grid, &MapGridView::valueTyped, this,
                [this, grid](const QString &typed) { setTyped(*grid, typed); });
    }
    connect(&document, &CalibrationDocument::bytesChanged, this, &MapEditCommands::update);
    connect(&document, &CalibrationDocument::dataReplaced, this, &MapEditCommands::update);
    // Asking the clipboard may wait for another program: only when it changed or the menu opens.
    QClipboard *clipboard = QGuiApplication::clipboard();
    const auto readClipboard = [this, clipboard] {
        const QMimeData *data = clipboard->mimeData();
        m_clipboardHasText = data && data->hasText();
        update();
    };
    connect(clipboard, &QClipboard::dataChanged, this, readClipboard);
    connect(&menu, &QMenu::aboutToShow, this, readClipboard);
    update();
}

QAction *MapEditCommands::addAction(QMenu &menu, const char *name, const QString &text,
                                    const QKeySequence &keys) {
    QAction *action = menu.addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    // The keys belong to the grids: in the comment box "-" is a minus and Ctrl+C copies text.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    for (MapGridView *grid : m_grids)
        grid->addAction(action);
    return action;
}

void MapEditCommands::alsoOn(QAction *action, const QList<QKeySequence> &more) {
    const QList<QKeySequence> keys = action->shortcuts() + more;
    action->setShortcuts(keys);
    QStringList names;
    for (const QKeySequence &key : keys)
        names << key.toString(QKeySequence::NativeText);
    // A tab in the text: the menu shows what follows it in place of the first key.
    action->setText(action->text() + QLatin1Char('\t') + names.join(QStringLiteral(" or ")));
}

void MapEditCommands::setAvailable(bool available) {
    m_available = available;
    update();
}

MapGridView *MapEditCommands::shownGrid() const {
    for (MapGridView *grid : m_grids) {
        if (grid->isVisible() && grid->isEnabled())
            return grid;
    }
    return nullptr;
}

void MapEditCommands::update() {
    const MapGridView *grid = m_available && m_document.hasData() ? shownGrid() : nullptr;
    const CellBlock block = grid ? grid->selection().target() : CellBlock{};
    for (QAction *action : {m_selectAll, m_setValue, m_copy, m_scale, m_add})
        action->setEnabled(grid);
    for (std::size_t i = 0; i < StepSizes.size(); ++i) {
        m_steps[i]->setEnabled(
            grid &&
            !stepCells(grid->kind(), m_document.tables(), block, StepSizes[i]).changes.empty());
    }
    m_interpolate->setEnabled(grid && canInterpolate(block));
    m_smooth->setEnabled(grid && canSmooth(block));
    m_interpolateRows->setEnabled(grid && canInterpolateAlong(block, Along::Rows));
    m_interpolateColumns->setEnabled(grid && canInterpolateAlong(block, Along::Columns));
    m_paste->setEnabled(grid && m_clipboardHasText);
}

void MapEditCommands::apply(const MapEditResult &result) {
    if (result.refused())
        m_messages.tell(result.refusal, MessageIcon::Exclamation);
    else
        (void)m_document.apply(result.edit);
}

void MapEditCommands::step(int steps) {
    const MapGridView *grid = shownGrid();
    if (!grid)
        return;
    apply({stepCells(grid->kind(), m_document.tables(), grid->selection().target(), steps), {}});
}

void MapEditCommands::setTyped(MapGridView &grid, const QString &typed) {
    apply(setCells(grid.kind(), grid.selection().target(), typed));
}

void MapEditCommands::interpolate() {
    const MapGridView *grid = shownGrid();
    if (!grid)
        return;
    apply({interpolateCells(grid->kind(), m_document.tables(), grid->selection().target()), {}});
}

void MapEditCommands::smooth() {
    const MapGridView *grid = shownGrid();
    if (!grid)
        return;
    apply({smoothCells(grid->kind(), m_document.tables(), grid->selection().target()), {}});
}

void MapEditCommands::interpolateAlong(Along along) {
    const MapGridView *grid = shownGrid();
    if (!grid)
        return;
    apply({::interpolateAlong(grid->kind(), m_document.tables(), grid->selection().target(), along),
           {}});
}

void MapEditCommands::openArithmetic(Arithmetic kind) {
    MapGridView *grid = shownGrid();
    if (!grid)
        return;
    const MapSelection &selection = grid->selection();
    auto *input = new CellArithmeticDialog(kind, grid->kind(), m_document,
                                           selection.hasBlock() ? selection.target() : wholeMap(),
                                           m_messages, grid->window());
    input->setAttribute(Qt::WA_DeleteOnClose);
    input->placeOver(*grid);
    input->open();
}

void MapEditCommands::copy() {
    const MapGridView *grid = shownGrid();
    if (!grid)
        return;
    QGuiApplication::clipboard()->setText(
        copyCells(grid->kind(), m_document.tables(), grid->selection().target()));
}

void MapEditCommands::paste() {
    const MapGridView *grid = shownGrid();
    if (!grid)
        return;
    apply(pasteCells(grid->kind(), m_document.tables(), QGuiApplication::clipboard()->text(),
                     grid->selection().target()));
}
