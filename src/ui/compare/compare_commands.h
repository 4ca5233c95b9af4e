#pragma once

#include "document/comparison.h"

#include <QObject>
#include <optional>

class FileDialogs;
class Operator;

// The comparison commands of the File menu: compare with a file, with a history entry or with
// the data the window held before the last read, and "Compare off".
class CompareCommands : public QObject {
    Q_OBJECT
public:
    CompareCommands(Comparison &comparison, FileDialogs &dialogs, Operator &op,
                    QObject *parent = nullptr);

    // "Compare with file…": the reader's checks and messages as Open File.
    void compareWithFile(const QString &startFolder);
    // A file chosen elsewhere (a history entry). False when it was not accepted.
    bool compareWithPath(const QString &path);
    // The data before a read, kept when the read replaces them.
    void keepBeforeRead(const EcuImage &image);
    [[nodiscard]] bool hasBeforeRead() const { return m_beforeRead.has_value(); }
    void compareWithBeforeRead();
    void compareOff();

signals:
    // Whether "Compare with data before the read" can be chosen changed.
    void beforeReadKept();

private:
    Comparison &m_comparison;
    FileDialogs &m_dialogs;
    Operator &m_operator;
    std::optional<EcuImage> m_beforeRead;
};
