#include "grid/map_grid_view.h"

#include "common/clickable_label.h"
#include "common/colours.h"
#include "common/element_name.h"
#include "common/zoomed_layout.h"
#include "compare/compare_mark.h"
#include "document/calibration_document.h"
#include "document/cell_place.h"
#include "document/change_cells.h"
#include "document/comparison.h"
#include "grid/value_legend.h"

#include <QLabel>
#include <QPushButton>

namespace {

// Grid geometry inside the panel, twips.
constexpr int GridLeft = 960;
constexpr int GridTop = 600;
constexpr int CellWidth = 780;
constexpr int CellHeight = 420;
constexpr int AxisTop = GridTop + ThRows * CellHeight + 60;
constexpr int LegendLeft = GridLeft + NePoints * CellWidth + 120;
constexpr int LegendWidth = 1140;
constexpr int LegendBarWidth = 240;

// The objectNames of a grid's controls: the panel, the arrays of cells and axis points, the TH
// title (an element of its own array) and "All area Data change".
struct Names {
    const char *panel, *cell, *ne, *th, *thTitle, *allArea;
    int thTitleIndex;
};

Names namesOf(MapKind kind) {
    if (kind == MapKind::Fi)
        return {"Frame1", "Label6", "Label7", "Label8", "Label8", "Command6", 12};
    return {"FrameIG_Map_NUM", "Label_IG6", "Label_IG7", "Label_IG8", "Label8", "Command_IG6", 20};
}

ClickableLabel *makeLabel(QWidget *parent, const QString &name, const QRect &twips) {
    auto *label = new ClickableLabel(parent);
    label->setObjectName(name);
    placeInTwips(label, twips);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

MapGridView::MapGridView(MapKind kind, const CalibrationDocument &document, QWidget *parent)
    : QGroupBox(parent)
    , m_kind(kind)
    , m_document(document)
    , m_spectrum(spectrumColourMap(kind)) {
    const Names names = namesOf(kind);
    setObjectName(QLatin1String(names.panel));
    setTitle(kind == MapKind::Fi ? QStringLiteral("Fi Map (number of percent)")
                                 : QStringLiteral("IG Map (number of degree)"));

    for (int k = 1; k <= MapCells; ++k) {
        const int row = thRowOfCell(k);
        const int column = neColumnOfCell(k);
        auto *cellLabel = new GridCell(this);
        cellLabel->setObjectName(elementName(names.cell, k));
        placeInTwips(cellLabel,
                     QRect(GridLeft + (column - 1) * CellWidth,
                           GridTop + (ThRows - row) * CellHeight, CellWidth, CellHeight));
        cellLabel->setAlignment(Qt::AlignCenter);
        cellLabel->setFrameShape(QFrame::Box);
        setBackground(cellLabel, LightYellow);
        cellLabel->installEventFilter(this);
        connect(cellLabel, &ClickableLabel::clicked, this, [this, k] { emit cellClicked(k); });
        m_cells[static_cast<std::size_t>(k - 1)] = cellLabel;
    }

    for (int i = 1; i <= ThPoints; ++i) {
        ClickableLabel *label =
            makeLabel(this, elementName(names.th, i),
                      QRect(120, GridTop + (ThRows - i) * CellHeight, GridLeft - 180, CellHeight));
        connect(label, &ClickableLabel::clicked, this, [this, i] { emit thLabelClicked(i); });
        m_thLabels[static_cast<std::size_t>(i - 1)] = label;
    }
    m_thLabels[ThPoints - 1]->setText(QStringLiteral("100"));
    ClickableLabel *thTitle = makeLabel(this, elementName(names.thTitle, names.thTitleIndex),
                                        QRect(120, GridTop - 360, GridLeft - 180, 300));
    thTitle->setText(QStringLiteral("TH(%)"));
    m_thLabels[11] = thTitle;
    // The title reports its own element number, which never opens an editor.
    connect(thTitle, &ClickableLabel::clicked, this,
            [this, index = names.thTitleIndex] { emit thLabelClicked(index); });

    for (int i = 1; i <= NePoints; ++i) {
        ClickableLabel *label =
            makeLabel(this, elementName(names.ne, i),
                      QRect(GridLeft + (i - 1) * CellWidth, AxisTop, CellWidth, 300));
        connect(label, &ClickableLabel::clicked, this, [this, i] { emit neLabelClicked(i); });
        m_neLabels[static_cast<std::size_t>(i - 1)] = label;
    }
    ClickableLabel *neTitle =
        makeLabel(this, elementName(names.ne, 17),
                  QRect(GridLeft + NePoints * CellWidth + 60, AxisTop, 1200, 300));
    neTitle->setText(QStringLiteral("Ne(r/min)"));
    connect(neTitle, &ClickableLabel::clicked, this, [this] { emit neLabelClicked(17); });
    m_neLabels[16] = neTitle;

    m_allAreaButton = new QPushButton(QStringLiteral("All area Data change"), this);
    m_allAreaButton->setObjectName(QLatin1String(names.allArea));
    placeInTwips(m_allAreaButton,
                 QRect(GridLeft + NePoints * CellWidth - 2700, AxisTop + 480, 2700, 495));
    connect(m_allAreaButton, &QPushButton::clicked, this, &MapGridView::allAreaClicked);

    // What is being typed, or the size of the selection.
    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("GridStatus"));
    placeInTwips(m_statusLabel, QRect(GridLeft, AxisTop + 480, NePoints * CellWidth - 3000, 495));
    setFocusPolicy(Qt::StrongFocus);

    m_legend = new ValueLegend(kind, m_spectrum, LegendBarWidth, this);
    placeInTwips(m_legend, QRect(LegendLeft, GridTop, LegendWidth, ThRows * CellHeight));
    m_legend->setVisible(false);

    connect(&document, &CalibrationDocument::dataReplaced, this,
            [this, &document] { showTables(document.tables()); });
    connect(&document, &CalibrationDocument::bytesChanged, this,
            [this, &document](const ChangedBytes &changed) {
                showChanged(changed, document.tables());
            });
}

GridCell *MapGridView::cell(int k) const {
    return m_cells.at(static_cast<std::size_t>(k - 1));
}

ClickableLabel *MapGridView::neLabel(int i) const {
    return m_neLabels.at(static_cast<std::size_t>(i - 1));
}

ClickableLabel *MapGridView::thLabel(int i) const {
    return m_thLabels.at(static_cast<std::size_t>(i - 1));
}

ClickableLabel *MapGridView::axisLabel(Axis axis, int i) const {
    return axis == Axis::Ne ? neLabel(i) : thLabel(i);
}

void MapGridView::markCellEdited(int k, bool edited) {
    setBackground(cell(k), edited ? buttonFaceColour() : LightYellow);
}

void MapGridView::previewAxisPoint(Axis axis, int i, const QString &text) {
    ClickableLabel *label = axisLabel(axis, i);
    // Bold only: the rest of the font, its size at the zoom in force, is the layout's.
    QFont bold;
    bold.setBold(true);
    label->setFont(bold);
    label->setText(text);
}

void MapGridView::endAxisPreview(Axis axis, int i) {
    ClickableLabel *label = axisLabel(axis, i);
    label->setFont(QFont());
    const EcuTables &t = m_document.tables();
    const auto at = static_cast<std::size_t>(i - 1);
    label->setText(axis == Axis::Ne ? t.NeText[at] : t.ThText[at]);
}

void MapGridView::showCells(const EcuTables &tables) {
    for (int k = 1; k <= MapCells; ++k)
        cell(k)->setText(shownText(k, tables));
    decorateCells();
    showToolTips();
}

bool MapGridView::showsDifferences() const {
    return m_cellTexts != CellTexts::Values && m_comparison && m_comparison->isActive();
}

QString MapGridView::shownText(int k, const EcuTables &tables) const {
    const auto &texts = m_kind == MapKind::Fi ? tables.KmapText : tables.IGmapText;
    const QString &value = texts[static_cast<std::size_t>(thRowOfCell(k) - 1)]
                                [static_cast<std::size_t>(neColumnOfCell(k) - 1)];
    if (!showsDifferences())
        return value;
    const int offset = cellOffset(m_kind, k);
    const std::uint8_t ours = m_document.image().byte(offset);
    const Difference *d = m_comparison->differenceAt(offset);
    return differenceText(m_kind, ours, d ? d->theirs : ours, m_cellTexts);
}

void MapGridView::showTables(const EcuTables &tables) {
    showCells(tables);
    // Only the Fi grid's axes follow a load; the IG grid takes its axes when it is selected.
    if (m_kind != MapKind::Fi)
        return;
    for (int i = 1; i <= ThPoints; ++i)
        thLabel(i)->setText(tables.ThText[static_cast<std::size_t>(i - 1)]);
    for (int i = 1; i <= NePoints; ++i)
        neLabel(i)->setText(tables.NeText[static_cast<std::size_t>(i - 1)]);
}

void MapGridView::fill(const EcuTables &tables) {
    showCells(tables);
    // The top TH point keeps its caption.
    for (int i = 1; i < ThPoints; ++i)
        thLabel(i)->setText(tables.ThText[static_cast<std::size_t>(i - 1)]);
    for (int i = 1; i <= NePoints; ++i)
        neLabel(i)->setText(tables.NeText[static_cast<std::size_t>(i - 1)]);
}

void MapGridView::showChanged(const ChangedBytes &changed, const EcuTables &tables) {
    changed.forEach([&](int offset) {
        const int k = m_kind == MapKind::Fi ? fiCellAtOffset(offset) : igCellAtOffset(offset);
        if (k != 0)
            cell(k)->setText(shownText(k, tables));
    });
    decorateCells();
    showToolTips();
    // Both grids show the axes the maps share.
    for (int i = 1; i <= NePoints; ++i) {
        if (changed.contains(neAxisOffset(i)))
            neLabel(i)->setText(tables.NeText[static_cast<std::size_t>(i - 1)]);
    }
    for (int i = 1; i <= ThPoints; ++i) {
        if (changed.contains(thAxisOffset(i)))
            thLabel(i)->setText(tables.ThText[static_cast<std::size_t>(i - 1)]);
    }
}

void MapGridView::setComparison(const Comparison *comparison) {
    m_comparison = comparison;
    connect(comparison, &Comparison::changed, this, &MapGridView::showComparison);
    showComparison();
}

void MapGridView::showComparison() {
    const auto other = [this](int offset) {
        const Difference *d = m_comparison->differenceAt(offset);
        return d ? parameterText(d->place.kind, d->theirs) : QString();
    };
    // The cells carry the mark in their decoration and the other value in their tooltip; the
    // axis labels an overlay. The differences shown follow the other calibration (and end with
    // the comparison).
    if (m_document.hasData()) {
        showCells(m_document.tables());
    } else {
        decorateCells();
        showToolTips();
    }
    for (int i = 1; i <= NePoints; ++i)
        showCompareMark(neLabel(i), other(neAxisOffset(i)));
    for (int i = 1; i <= ThPoints; ++i)
        showCompareMark(thLabel(i), other(thAxisOffset(i)));
}

void MapGridView::showDifferences(CellTexts shown, bool onlyChanged) {
    m_cellTexts = shown;
    m_onlyChanged = onlyChanged;
    if (m_document.hasData())
        showCells(m_document.tables());
}

void MapGridView::frameOperatingPoint(const std::optional<CellBlock> &cells) {
    m_operatingPoint = cells;
    decorateCells();
}

void MapGridView::showToolTips() {
    const bool comparing = m_comparison && m_comparison->isActive();
    const EcuTables &tables = m_document.tables();
    const auto &texts = m_kind == MapKind::Fi ? tables.KmapText : tables.IGmapText;
    for (int k = 1; k <= MapCells; ++k) {
        if (!m_document.hasData()) {
            cell(k)->setToolTip(QString());
            continue;
        }
        const int row = thRowOfCell(k);
        const int column = neColumnOfCell(k);
        const QString &value =
            texts[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(column - 1)];
        QString tip = cellPlaceText(tables, row, column) + QStringLiteral(": ") + value;
        if (comparing) {
            const Difference *d = m_comparison->differenceAt(cellOffset(m_kind, k));
            tip +=
                QStringLiteral(", other: ") + (d ? parameterText(d->place.kind, d->theirs) : value);
        }
        cell(k)->setToolTip(tip);
    }
}
