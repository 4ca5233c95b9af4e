#pragma once

#include <QString>

// A pseudo-terminal for the simulated ECU: the master end is the ECU's side of the line, the
// slave end the device the program opens. The simulator keeps the slave open itself, so the
// master never sees a hangup while the program has the port closed, and sets it raw so that
// nothing is echoed by the terminal layer.
class PtyLine {
public:
    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine &) = delete;
    PtyLine &operator=(const PtyLine &) = delete;

    // Opens a new pseudo-terminal (closing any old one); on failure error says why.
    [[nodiscard]] bool open(QString &error);
    void close();
    [[nodiscard]] int masterFd() const { return m_master; }
    [[nodiscard]] QString slavePath() const { return m_slavePath; }
    // Whether the program has the line at the ECU's 9600 baud: a pseudo-terminal carries the
    // speed its slave end was set to, though not the character format.
    [[nodiscard]] bool atEcuSpeed() const;

    // Makes path a symlink to the slave. An existing symlink there is replaced; any other
    // file is left alone and makes it fail.
    [[nodiscard]] bool linkAt(const QString &path, QString &error);
    // Removes the symlink made by linkAt while it still points to this line's slave.
    void unlink();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
};
