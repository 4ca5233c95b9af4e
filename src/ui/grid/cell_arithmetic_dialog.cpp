#include "grid/cell_arithmetic_dialog.h"

#include "document/calibration_document.h"
#include "document/cell_place.h"
#include "files/operator.h"
#include "grid/map_grid_view.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QString whatIsChanged(MapKind map, const EcuTables &tables, const CellBlock &block) {
    if (block == wholeMap())
        return map == MapKind::Fi ? QStringLiteral("the whole Fi map")
                                  : QStringLiteral("the whole IG map");
    return QStringLiteral("%1 (%2)").arg(block.cellCount() == 1
                                             ? QStringLiteral("1 cell")
                                             : QStringLiteral("%1 cells").arg(block.cellCount()),
                                         blockPlaceText(tables, block));
}

QString question(Arithmetic kind, MapKind map, const EcuTables &tables, const CellBlock &block) {
    const QString what = whatIsChanged(map, tables, block);
    if (kind == Arithmetic::Add)
        return QStringLiteral("Add to %1 (%2):")
            .arg(what, map == MapKind::Fi ? QStringLiteral("percent") : QStringLiteral("degrees"));
    return map == MapKind::Fi
               ? QStringLiteral("Scale the fuel of %1 by (percent):").arg(what)
               : QStringLiteral("Scale the ignition changes of %1 by (percent):").arg(what);
}

QString hint(Arithmetic kind, MapKind map) {
    if (kind == Arithmetic::Add)
        return map == MapKind::Fi ? QStringLiteral("Every cell moves by the same whole percent.")
                                  : QStringLiteral("Every cell moves by the same whole degrees.");
    return map == MapKind::Fi ? QStringLiteral("A trim t becomes (1 + t) \u00d7 (1 + p) \u2212 1:\n"
                                               "+5 turns -10% into -6% (-5.5 rounded away from 0).")
                              : QStringLiteral("A change d in degrees becomes d \u00d7 (1 + p):\n"
                                               "+10 turns -10deg into -11deg; 0deg stays.");
}

} // namespace

CellArithmeticDialog::CellArithmeticDialog(Arithmetic kind, MapKind map,
                                           CalibrationDocument &document, const CellBlock &block,
                                           Operator &messages, QWidget *parent)
    : QDialog(parent)
    , m_kind(kind)
    , m_map(map)
    , m_document(document)
    , m_block(block)
    , m_messages(messages) {
    const bool scale = kind == Arithmetic::Scale;
    setObjectName(scale ? QStringLiteral("ScaleDialog") : QStringLiteral("AddDialog"));
    setWindowTitle(scale ? QStringLiteral("Scale") : QStringLiteral("Add"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(question(kind, map, document.tables(), block), this));
    m_amount = new QLineEdit(this);
    m_amount->setObjectName(QStringLiteral("amountEdit"));
    m_amount->setPlaceholderText(scale ? QStringLiteral("+5") : QStringLiteral("-2"));
    layout->addWidget(m_amount);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("previewLabel"));
    layout->addWidget(m_preview);
    layout->addWidget(new QLabel(hint(kind, map), this));
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_amount, &QLineEdit::textChanged, this, &CellArithmeticDialog::showPreview);
    showPreview();
    m_amount->setFocus();
}

void CellArithmeticDialog::placeOver(const MapGridView &grid) {
    adjustSize();
    const auto onScreen = [&grid](int row, int column) {
        const QRect cell = grid.cell(cellNumber(row, column))->geometry();
        return QRect(grid.mapToGlobal(cell.topLeft()), cell.size());
    };
    const QRect cells = onScreen(ThRows, 1) | onScreen(1, NeColumns);
    if (m_block == wholeMap()) {
        move(cells.center() - rect().center());
        return;
    }
    // Beside the block, on the side with room, so its cells stay in view.
    const QRect block = onScreen(m_block.lastRow, m_block.firstColumn) |
                        onScreen(m_block.firstRow, m_block.lastColumn);
    const int gap = block.height() / 2;
    const int left = block.right() + gap + width() <= cells.right() ? block.right() + gap
                                                                    : block.left() - gap - width();
    const int top = std::clamp(block.center().y() - height() / 2, cells.top(),
                               std::max(cells.top(), cells.bottom() - height()));
    // A block too wide for either side: it stays on the screen.
    const QRect screen = grid.screen()->availableGeometry();
    move(std::clamp(left, screen.left(), std::max(screen.left(), screen.right() - width())), top);
}

void CellArithmeticDialog::showPreview() {
    const QString typed = m_amount->text();
    m_preview->setText(arithmeticPreview(m_kind, m_map, m_document.tables(), m_block, typed));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!typed.trimmed().isEmpty());
}

void CellArithmeticDialog::accept() {
    const MapEditResult result =
        arithmeticEdit(m_kind, m_map, m_document.tables(), m_block, m_amount->text());
    if (result.refused()) {
        // The amount stays, to be corrected.
        m_messages.tell(result.refusal, MessageIcon::Exclamation);
        return;
    }
    (void)m_document.apply(result.edit);
    QDialog::accept();
}
