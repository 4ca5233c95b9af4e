#pragma once

#include "image/difference_text.h"

#include <QObject>
#include <array>
#include <optional>
#include <vector>

class CalibrationDocument;

// The comparison of the document with another calibration (a file, a history entry, or the
// data before the last read): which parameters differ, kept up to date through every edit,
// undo and load.
class Comparison : public QObject {
    Q_OBJECT
public:
    explicit Comparison(const CalibrationDocument &document, QObject *parent = nullptr);

    // Compares from now on with other (a decoded image), named name ("RACE1.E2P").
    void compareWith(const EcuImage &other, const QString &name);
    // "Compare off".
    void stop();

    [[nodiscard]] bool isActive() const { return m_other.has_value(); }
    // The calibration compared with; only while active.
    [[nodiscard]] const EcuImage &other() const { return *m_other; }
    [[nodiscard]] const QString &name() const { return m_name; }
    [[nodiscard]] const std::vector<Difference> &differences() const { return m_differences; }
    // The difference at an image offset, or nullptr where the byte is the same (or no
    // comparison is active).
    [[nodiscard]] const Difference *differenceAt(int offset) const;
    // "Compared with RACE1.E2P: 12 differ (Fi 8, IG 3, NE axis 1)"; empty when not active.
    [[nodiscard]] QString summary() const;

signals:
    // The differences changed (a comparison began or ended, or the document changed).
    void changed();

private:
    // The differences anew; changed() only when they differ from before (or always).
    void update(bool always = false);

    const CalibrationDocument &m_document;
    std::optional<EcuImage> m_other;
    QString m_name;
    std::vector<Difference> m_differences;
    std::array<int, EcuImageSize> m_at{}; // offset -> index into m_differences, or -1
};
