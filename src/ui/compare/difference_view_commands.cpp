#include "compare/difference_view_commands.h"

#include "document/comparison.h"
#include "grid/map_grid_view.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

DifferenceViewCommands::DifferenceViewCommands(QMenu &viewMenu, QStatusBar &statusLine,
                                               const Comparison &comparison,
                                               const std::array<MapGridView *, 2> &grids,
                                               QObject *parent)
    : QObject(parent)
    , m_comparison(comparison)
    , m_grids(grids) {
    m_showMenu = viewMenu.addMenu(QStringLiteral("Show Difference"));
    m_showMenu->setObjectName(QStringLiteral("mnuShowDifference"));
    auto *group = new QActionGroup(this);
    const auto addChoice = [this, group](const char *name, const QString &text) {
        QAction *item = m_showMenu->addAction(text);
        item->setObjectName(QLatin1String(name));
        item->setCheckable(true);
        group->addAction(item);
        return item;
    };
    m_values = addChoice("mnuShowValues", QStringLiteral("Values"));
    m_difference =
        addChoice("mnuShowDifferenceValue", QStringLiteral("Difference (this \u2212 other)"));
    m_percentDifference =
        addChoice("mnuShowPercentDifference", QStringLiteral("Percent Difference (Fi fuel)"));
    m_values->setChecked(true);
    m_onlyChanged = viewMenu.addAction(QStringLiteral("Only Changed"));
    m_onlyChanged->setObjectName(QStringLiteral("mnuOnlyChanged"));
    m_onlyChanged->setCheckable(true);
    connect(group, &QActionGroup::triggered, this, &DifferenceViewCommands::apply);
    connect(m_onlyChanged, &QAction::toggled, this, &DifferenceViewCommands::apply);

    m_shown = new QLabel(&statusLine);
    m_shown->setObjectName(QStringLiteral("DifferenceShown"));
    statusLine.addWidget(m_shown);
    connect(&comparison, &Comparison::changed, this, &DifferenceViewCommands::followComparison);
    followComparison();
}

void DifferenceViewCommands::followComparison() {
    const bool on = m_comparison.isActive();
    m_showMenu->setEnabled(on);
    m_onlyChanged->setEnabled(on);
    if (!on && (!m_values->isChecked() || m_onlyChanged->isChecked())) {
        m_values->setChecked(true);
        m_onlyChanged->setChecked(false);
        apply();
    }
}

void DifferenceViewCommands::apply() {
    CellTexts shown = CellTexts::Values;
    QString text;
    if (m_difference->isChecked()) {
        shown = CellTexts::Difference;
        text = QStringLiteral("Cells: this \u2212 other");
    } else if (m_percentDifference->isChecked()) {
        shown = CellTexts::PercentDifference;
        text = QStringLiteral("Cells: Fi fuel change in %, IG this \u2212 other");
    }
    if (m_onlyChanged->isChecked())
        text += text.isEmpty() ? QStringLiteral("Equal cells dimmed")
                               : QStringLiteral(", equal ones dimmed");
    m_shown->setText(text);
    for (MapGridView *grid : m_grids)
        grid->showDifferences(shown, m_onlyChanged->isChecked());
}
