#include "compare/review_dialog.h"

#include "common/app_title.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ReviewDialog::ReviewDialog(const QStringList &heading, const QStringList &changes, QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ReviewDialog"));
    setWindowTitle(AppTitle + QStringLiteral(" - Review and Write"));
    auto *layout = new QVBoxLayout(this);
    for (qsizetype i = 0; i < heading.size(); ++i) {
        auto *line = new QLabel(heading[i], this);
        line->setObjectName(QStringLiteral("ReviewHeading(%1)").arg(i));
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (i == 0) {
            QFont bold = line->font();
            bold.setBold(true);
            line->setFont(bold);
        }
        layout->addWidget(line);
    }
    m_changes = new QListWidget(this);
    m_changes->setObjectName(QStringLiteral("ReviewChanges"));
    m_changes->addItems(changes);
    m_changes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_changes);

    auto *buttons = new QDialogButtonBox(this);
    m_write = buttons->addButton(QStringLiteral("Write"), QDialogButtonBox::AcceptRole);
    m_write->setObjectName(QStringLiteral("ReviewWrite"));
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("ReviewCancel"));
    // Enter alone never writes: Write needs a click or its own key.
    m_write->setAutoDefault(false);
    cancel->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(640, 480);
    cancel->setFocus();
}
