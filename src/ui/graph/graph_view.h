#pragma once

#include "common/zoomed_layout.h"
#include "image/ecu_tables.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <array>
#include <cstdint>

class CalibrationDocument;
class ChangedBytes;
class Comparison;
class ClickableLabel;
class GraphCanvas;
class GraphLine;
class GraphSlider;
class QLabel;

// Which table a graph view edits.
enum class GraphKind { Fi, Ig, Ru };

// What the graph-mode views share: sixteen vertical sliders, one per NE point, joined by a
// polyline of fifteen lines, with value labels, NE labels and scale captions. A value change of a
// slider that has the keyboard focus (the view is armed) is an edit of the document; one drag of
// one slider is one step, and so is one key held down (its repeats, and presses that follow within
// KeyStepMergeMs). Changes made while the view shows its data never are. The view follows the
// document; the kinds of view say which bytes they show and how a slider edits them.
class GraphView : public QGroupBox, public ZoomFollower {
    Q_OBJECT
public:
    // The object names of the view's controls, each the start of an element name.
    struct Names {
        const char *panel;
        const char *title;
        const char *slider;
        const char *neLabel;
        const char *valueLabel;
        const char *line;
        const char *zeroLine; // none in the RU view
        const char *caption;
        // Scale captions: element 0 at the zero line, 1 at the top, 2 at the bottom.
        std::array<const char *, 3> captions;
    };

    // Elements 1..16.
    [[nodiscard]] GraphSlider *slider(int i) const;
    [[nodiscard]] ClickableLabel *valueLabel(int i) const;
    [[nodiscard]] QLabel *neLabel(int i) const;
    // Polyline elements 1..15: line j joins the knobs of sliders j and j + 1.
    [[nodiscard]] GraphLine *line(int j) const;
    // The polyline of the other calibration, elements 1..15.
    [[nodiscard]] GraphLine *otherLine(int j) const;

    // Everything a choice in the view selector does before the panel is shown.
    virtual void enter() = 0;
    // The keyboard focus to the slider that had it last (the first one at first).
    void focusSlider();

    static constexpr qint64 KeyStepMergeMs = 500;
    // Follows a comparison: a thin second polyline of the other calibration's values and the
    // differing value labels marked.
    void setComparison(const Comparison *comparison);

protected:
    // scale: the sliders' maximum; zeroPosition: the position of a change of zero.
    GraphView(const Names &names, int scale, int zeroPosition, CalibrationDocument &document,
              QWidget *parent);

    // The image offset of the byte slider i shows; -1 when it shows none.
    [[nodiscard]] virtual int offsetShown(int i) const = 0;
    // Where the point of slider i lies, in the axes' units ("TH 20 %, 6500 r/min").
    [[nodiscard]] virtual QString placeShown(int i) const = 0;
    // The slider position of a byte.
    [[nodiscard]] virtual int positionOf(std::uint8_t byte) const = 0;
    // Slider i moved to a position by the person at the keyboard or mouse: one edit, merged
    // with the others of the same gesture (0: a gesture of its own).
    virtual void edit(int i, int position, quint64 gesture) = 0;
    // The sliders and value labels from the document again.
    virtual void showPoints() = 0;
    // After a file was opened or the ECU read.
    virtual void showAfterLoad() = 0;

    // The display step every view shares: each slider goes to its position and its value label
    // to its text, and the polyline follows the positions the sliders then report. The sliders
    // are passive meanwhile, so none of this is an edit.
    void positionSliders(const std::array<int, NePoints> &positions,
                         const std::array<QString, NePoints> &texts);
    // The value labels from a text table.
    void showValueTexts(const std::array<QString, NePoints> &texts);
    void showNeTexts();
    void showComparison();
    [[nodiscard]] QLabel *scaleCaption(int k) const;
    [[nodiscard]] GraphLine *zeroLine() const { return m_zeroLine; }
    // The height in twips of the knob at a position.
    [[nodiscard]] double knobHeight(int position) const;
    // Moves scale caption k so that its vertical centre lies at y twips.
    void centreCaption(int k, double y);

    void resizeEvent(QResizeEvent *event) override;
    // The sliders' travel and the captions' centres at the zoom in force.
    void followZoom() override;

    CalibrationDocument &m_document;
    const int m_scale;
    const int m_zeroPosition;

private:
    void buildPolyline(const char *lineName);
    void buildScale(const Names &names);
    void buildSliders(const Names &names);
    void placeSliders();
    void sliderValueChanged(int i);
    // The gesture a change of slider i belongs to: its drag, or its run of keys.
    [[nodiscard]] quint64 gestureOf(int i);
    void moveLineEnds(int i, int position);
    // After an edit, undo or redo: the sliders, where their bytes changed, and the NE labels.
    void showChanged(const ChangedBytes &changed);

    // Whether a slider of the view has the keyboard focus: only then is a value change an edit.
    bool m_armed = false;
    quint64 m_gesture = 0; // the drag under way
    quint64 m_keyGesture = 0;
    int m_keySlider = 0; // the slider the last key (or wheel) changed
    QElapsedTimer m_sinceKey;
    int m_focusedSlider = 1;
    GraphCanvas *m_canvas = nullptr;
    std::array<GraphSlider *, NePoints> m_sliders{};
    std::array<ClickableLabel *, NePoints> m_valueLabels{};
    std::array<QLabel *, NePoints> m_neLabels{};
    std::array<GraphLine *, NePoints - 1> m_lines{};
    std::array<GraphLine *, NePoints - 1> m_otherLines{};
    const Comparison *m_comparison = nullptr;
    std::array<QLabel *, 3> m_scaleCaptions{};
    std::array<double, 3> m_captionCentres{}; // twips
    GraphLine *m_zeroLine = nullptr;
};
