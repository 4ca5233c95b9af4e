#include "grid/operating_point_bar.h"

#include "document/calibration_document.h"
#include "document/operating_point.h"
#include "grid/map_grid_view.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

namespace {

QSpinBox *makeField(QWidget *parent, const char *name, int highest, int step, const QString &unit) {
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, highest);
    box->setSingleStep(step);
    box->setSuffix(unit);
    box->setAccelerated(true);
    return box;
}

} // namespace

OperatingPointBar::OperatingPointBar(const CalibrationDocument &document,
                                     const std::array<MapGridView *, 2> &grids, QWidget *parent)
    : QToolBar(parent)
    , m_document(document)
    , m_grids(grids) {
    setObjectName(QStringLiteral("OperatingPoint"));
    // A line that comes and goes with its menu item only: not moved, not in the toolbar menu.
    setMovable(false);
    setFloatable(false);
    toggleViewAction()->setVisible(false);
    // Beyond the axes' ends the reading says where it clamped: the fields go further.
    m_speed = makeField(this, "OperatingPointNe", 30000, 100, QStringLiteral(" r/min"));
    m_speed->setValue(6500);
    m_throttle = makeField(this, "OperatingPointTh", 100, 1, QStringLiteral(" %"));
    m_throttle->setValue(35);
    m_reading = new QLabel(this);
    m_reading->setObjectName(QStringLiteral("OperatingPointReading"));
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("OperatingPointClose"));
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    close->setToolTip(QStringLiteral("Close the operating point (Escape)"));
    close->setAutoRaise(true);

    addWidget(new QLabel(QStringLiteral("Operating point: "), this));
    addWidget(m_speed);
    addWidget(m_throttle);
    addSeparator();
    addWidget(m_reading);
    auto *gap = new QWidget(this);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(gap);
    addWidget(close);

    connect(m_speed, &QSpinBox::valueChanged, this, &OperatingPointBar::showReading);
    connect(m_throttle, &QSpinBox::valueChanged, this, &OperatingPointBar::showReading);
    for (QSpinBox *field : {m_speed, m_throttle}) {
        connect(field->findChild<QLineEdit *>(), &QLineEdit::returnPressed, this,
                &OperatingPointBar::returnToGrid);
    }
    connect(close, &QToolButton::clicked, this, &OperatingPointBar::closeBar);
    connect(&document, &CalibrationDocument::dataReplaced, this, &OperatingPointBar::showReading);
    connect(&document, &CalibrationDocument::bytesChanged, this, &OperatingPointBar::showReading);
}

void OperatingPointBar::open() {
    m_open = true;
    show();
    showReading();
    m_speed->setFocus(Qt::ShortcutFocusReason);
    m_speed->selectAll();
}

void OperatingPointBar::closeBar() {
    if (!m_open)
        return;
    const bool hadFocus = isAncestorOf(focusWidget());
    m_open = false;
    hide();
    for (MapGridView *grid : m_grids)
        grid->frameOperatingPoint(std::nullopt);
    if (hadFocus)
        returnToGrid();
}

void OperatingPointBar::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        closeBar();
        return;
    }
    QToolBar::keyPressEvent(event);
}

void OperatingPointBar::showReading() {
    if (!m_open)
        return;
    if (!m_document.hasData()) {
        m_reading->clear();
        for (MapGridView *grid : m_grids)
            grid->frameOperatingPoint(std::nullopt);
        return;
    }
    const OperatingPointReading reading =
        readOperatingPoint(m_document.tables(), m_speed->value(), m_throttle->value());
    m_reading->setText(operatingPointText(reading));
    for (MapGridView *grid : m_grids)
        grid->frameOperatingPoint(reading.cells);
}

void OperatingPointBar::returnToGrid() {
    for (MapGridView *grid : m_grids) {
        if (grid->isVisible())
            grid->setFocus(Qt::OtherFocusReason);
    }
}
