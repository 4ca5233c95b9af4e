#include "window/view_switcher.h"

#include "document/calibration_document.h"
#include "graph/graph_view.h"
#include "grid/map_grid_view.h"
#include "map3d/map3d_view.h"
#include "panels/ru_map_view.h"
#include "panels/single_value_panel.h"

#include <QComboBox>
#include <algorithm>

QList<QWidget *> ViewPanels::all() const {
    return {fiGrid, fiGraph, fi3D, igGrid, igGraph, ig3D, ruView, shiftTiming, pitRoad, idleNe};
}

ViewSwitcher::ViewSwitcher(QComboBox &selector, const ViewPanels &panels,
                           const CalibrationDocument &document, QObject *parent)
    : QObject(parent)
    , m_selector(selector)
    , m_panels(panels)
    , m_document(document) {
    connect(&selector, &QComboBox::activated, this,
            [this](int index) { selectView(static_cast<ViewPosition>(index)); });
}

const QStringList &ViewSwitcher::captions() {
    static const QStringList captions{QStringLiteral("Fi Map (number of percent)"),
                                      QStringLiteral("Fi Map (graph mode)"),
                                      QStringLiteral("Fi Map (3D graph)"),
                                      QStringLiteral("IG Map (number of degree)"),
                                      QStringLiteral("IG Map (graph mode)"),
                                      QStringLiteral("IG Map (3D graph)"),
                                      QStringLiteral("RU MAP"),
                                      QStringLiteral("ShiftTiming Indicator"),
                                      QStringLiteral("PITroad Limit"),
                                      QStringLiteral("Idring Ne")};
    return captions;
}

void ViewSwitcher::hideViewPanels() {
    for (QWidget *frame : m_panels.all())
        frame->setVisible(false);
}

void ViewSwitcher::selectView(ViewPosition position) {
    // A view that had the keys hands them to the next one, not to the window's first text box.
    const QWidget *focus = m_selector.window()->focusWidget();
    const QList<QWidget *> views = m_panels.all();
    const bool viewHadKeys =
        focus && std::any_of(views.cbegin(), views.cend(),
                             [focus](QWidget *v) { return v == focus || v->isAncestorOf(focus); });
    const EcuTables &tables = m_document.tables();
    switch (position) {
    case ViewPosition::FiNumeric:
        m_panels.fiGrid->fill(tables);
        break;
    case ViewPosition::FiGraph:
        m_panels.fiGraph->enter();
        break;
    case ViewPosition::Fi3D:
        m_panels.fi3D->showMap(tables);
        break;
    case ViewPosition::IgNumeric:
        m_panels.igGrid->fill(tables);
        break;
    case ViewPosition::IgGraph:
        m_panels.igGraph->enter();
        break;
    case ViewPosition::Ig3D:
        m_panels.ig3D->showMap(tables);
        break;
    case ViewPosition::RuMap:
        m_panels.ruView->enter();
        break;
    case ViewPosition::ShiftTiming:
    case ViewPosition::PitRoad:
    case ViewPosition::IdleNe:
        break;
    }
    hideViewPanels();
    views.at(static_cast<int>(position))->setVisible(true);
    if (viewHadKeys)
        focusShownView();
}

void ViewSwitcher::focusShownView() {
    for (QWidget *view : m_panels.all()) {
        if (!view->isVisibleTo(m_selector.window()) || !view->isEnabled())
            continue;
        if (auto *graph = qobject_cast<GraphView *>(view))
            graph->focusSlider();
        else
            view->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_selector.window()->setFocus(Qt::OtherFocusReason);
}

void ViewSwitcher::showFiGrid() {
    m_selector.setCurrentIndex(static_cast<int>(ViewPosition::FiNumeric));
    hideViewPanels();
    m_panels.fiGrid->setVisible(true);
    m_panels.fiGrid->raise();
}
