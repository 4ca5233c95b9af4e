#include "compare/compare_commands.h"

#include "files/e2p_commands.h"

#include <QFileInfo>

CompareCommands::CompareCommands(Comparison &comparison, FileDialogs &dialogs, Operator &op,
                                 QObject *parent)
    : QObject(parent)
    , m_comparison(comparison)
    , m_dialogs(dialogs)
    , m_operator(op) {}

void CompareCommands::compareWithFile(const QString &startFolder) {
    const auto choice = m_dialogs.chooseFileToOpen(
        {QStringLiteral("Compare with file"), E2PFilter, E2PSuffix, startFolder});
    if (choice)
        (void)compareWithPath(choice->fullPath);
}

bool CompareCommands::compareWithPath(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    const OpenOutcome outcome = loadE2PFile(FileChoice{path, name}, m_operator);
    if (!outcome.accepted())
        return false;
    m_comparison.compareWith(outcome.data.image, name);
    return true;
}

void CompareCommands::keepBeforeRead(const EcuImage &image) {
    m_beforeRead = image;
    emit beforeReadKept();
}

void CompareCommands::compareWithBeforeRead() {
    if (m_beforeRead)
        m_comparison.compareWith(*m_beforeRead, QStringLiteral("the data before the read"));
}

void CompareCommands::compareOff() {
    m_comparison.stop();
}
