#pragma once

#include "image/ecu_tables.h"
#include "window/window_state.h"

#include <QGroupBox>
#include <array>

class CalibrationDocument;
class ChangedBytes;
class Comparison;
class ClickableLabel;
class GraphCanvas;
class GraphLine;
class GraphSlider;
class QComboBox;
class QLabel;

// Which table a graph view edits.
enum class GraphKind { Fi, Ig, Ru };

// A graph-mode view: sixteen vertical sliders, one per NE point, joined by a polyline of fifteen
// lines, with value labels, NE labels and scale captions. "Frame2" edits one TH row of the Fi
// map, "FrameIG_Map_GRA" one row of the IG map (both the row SelIndex, chosen in the row
// selector), "Frame7" the RU map. A value change of a slider that has the keyboard focus is an
// edit of the document; one drag of one slider is one step. The view follows the document.
class GraphView : public QGroupBox {
    Q_OBJECT
public:
    GraphView(GraphKind kind, CalibrationDocument &document, WindowState &state,
              QWidget *parent = nullptr);

    // Elements 1..16.
    [[nodiscard]] GraphSlider *slider(int i) const;
    [[nodiscard]] ClickableLabel *valueLabel(int i) const;
    [[nodiscard]] QLabel *neLabel(int i) const;
    // Polyline elements 1..15: line j joins the knobs of sliders j and j + 1.
    [[nodiscard]] GraphLine *line(int j) const;

    // Everything a choice in the view selector does before the panel is shown: the Fi and IG
    // views start at row 1.
    void enter();
    // Refresh of a visible view after a file was opened: the NE labels and the sliders.
    void showLoadedData();
    // The value labels from a text table (the RU labels follow every decoding).
    void showValueTexts(const std::array<QString, NePoints> &texts);
    void showNeTexts();
    // After an edit, undo or redo: the sliders of the row shown (or the RU map) and the NE
    // labels, where their bytes changed.
    void showChanged(const ChangedBytes &changed);
    // Follows a comparison: a thin second polyline of the other calibration's values and the
    // differing value labels marked.
    void setComparison(const Comparison *comparison);
    // The polyline of the other calibration, elements 1..15.
    [[nodiscard]] GraphLine *otherLine(int j) const;

    // The display step shared by Kmap_IND, IGmap_IND and Ruadj_IND: each slider goes to its
    // position and its value label to its text, and the polyline follows the positions the
    // sliders then report. The sliders are passive meanwhile, so none of this is an edit.
    void positionSliders(const std::array<int, NePoints> &positions,
                         const std::array<QString, NePoints> &texts);

signals:
    // "All data change" of the RU view.
    void allDataChangeClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildSliders(const char *sliderName, const char *neName, const char *valueName);
    void buildPolyline(const char *lineName);
    void buildScale(const char *captionName, const char *zeroLineName,
                    const std::array<const char *, 3> &captions);
    void buildRowSelector(const char *selectorName, const char *captionName);
    void showRow(int th);
    void rowChosen(int entry);
    void sliderValueChanged(int i);
    void moveLineEnds(int i, int position);
    void setArmed(bool armed);
    [[nodiscard]] std::uint8_t &armedFlag();
    void showAfterLoad();
    void showComparison();
    // The image offset of NE point i in the row shown (or of RU point i); -1 when none.
    [[nodiscard]] int offsetShown(int i) const;

    GraphKind m_kind;
    int m_scale;
    CalibrationDocument &m_document;
    WindowState &m_state;
    int m_row = 0;         // the TH row shown, 1..11 (0: none yet)
    quint64 m_gesture = 0; // the drag under way
    GraphCanvas *m_canvas = nullptr;
    std::array<GraphSlider *, NePoints> m_sliders{};
    std::array<ClickableLabel *, NePoints> m_valueLabels{};
    std::array<QLabel *, NePoints> m_neLabels{};
    std::array<GraphLine *, NePoints - 1> m_lines{};
    std::array<GraphLine *, NePoints - 1> m_otherLines{};
    const Comparison *m_comparison = nullptr;
    std::array<QLabel *, 3> m_scaleCaptions{};
    GraphLine *m_zeroLine = nullptr;
    QComboBox *m_rowSelector = nullptr;
};

// Display procedures: position a graph view from the tables without editing. Kmap_IND and
// IGmap_IND show TH row th (1..11) of the Fi or IG map; a row outside the map shows nothing.
void Kmap_IND(GraphView &view, const EcuTables &tables, int th);
void IGmap_IND(GraphView &view, const EcuTables &tables, int th);
void Ruadj_IND(GraphView &view, const EcuTables &tables);
