#include "compare/history_dialog.h"

#include "common/app_title.h"
#include "compare/take_commands.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

HistoryDialog::HistoryDialog(const HistoryFolder &history, bool cellsSelectable, QWidget *parent)
    : QDialog(parent)
    , m_entries(history.entries()) {
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(AppTitle + QStringLiteral(" - History"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("Calibrations read from and written to the ECU, kept in %1")
                       .arg(QDir::toNativeSeparators(history.path())),
                   this));
    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("HistoryEntries"));
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels({QStringLiteral("Date"), QStringLiteral("Kind"),
                              QStringLiteral("Data name"), QStringLiteral("CRC-32"),
                              QStringLiteral("Comment")});
    for (const HistoryEntry &entry : m_entries) {
        m_table->addTopLevelItem(new QTreeWidgetItem(
            {QLocale().toString(entry.when, QLocale::ShortFormat), historyKindName(entry.kind),
             entry.dataName, entry.crc32, entry.commentFirstLine}));
    }
    m_table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_table);
    if (m_entries.empty())
        layout->addWidget(
            new QLabel(QStringLiteral("No calibration has been read or written yet."), this));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_openButton = buttons->addButton(QStringLiteral("Open"), QDialogButtonBox::ActionRole);
    m_compareButton = buttons->addButton(QStringLiteral("Compare"), QDialogButtonBox::ActionRole);
    m_takeButton = buttons->addButton(QStringLiteral("Take\u2026"), QDialogButtonBox::ActionRole);
    m_takeButton->setMenu(TakeCommands::choiceMenu(this, cellsSelectable, [this](TakenPart part) {
        m_taken = part;
        choose(Choice::Take);
    }));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_openButton, &QPushButton::clicked, this, [this] { choose(Choice::Open); });
    connect(m_compareButton, &QPushButton::clicked, this, [this] { choose(Choice::Compare); });
    const auto update = [this] {
        const bool chosen = m_table->currentItem() != nullptr;
        m_openButton->setEnabled(chosen);
        m_compareButton->setEnabled(chosen);
        m_takeButton->setEnabled(chosen);
    };
    connect(m_table, &QTreeWidget::currentItemChanged, this, update);
    update();
    resize(760, 420);
}

QString HistoryDialog::chosenPath() const {
    const int row = m_table->indexOfTopLevelItem(m_table->currentItem());
    return row < 0 ? QString() : m_entries[static_cast<std::size_t>(row)].path;
}

void HistoryDialog::choose(Choice choice) {
    if (chosenPath().isEmpty())
        return;
    m_choice = choice;
    accept();
}
