#pragma once

#include "edit_dialog.h"

class QLabel;
class QSlider;

// "Form6": gives all sixteen points of the RU map one value, chosen on a slider from +15 % at
// the top to -15 % at the bottom. Opened by "All data change" of the RU view.
class RuAllChangeDialog : public EditDialog {
    Q_OBJECT
public:
    explicit RuAllChangeDialog(const EditContext &context);

    [[nodiscard]] QSlider *slider() const { return m_slider; }

protected:
    // Every RU point gets the value chosen, one undo step.
    void enterAction() override;
    void cancelAction() override;

private:
    void showValue();
    void closeAndHandBackCommands();

    QSlider *m_slider = nullptr;
    QLabel *m_valueLabel = nullptr;
    std::uint8_t m_value = 0; // the value chosen
};
