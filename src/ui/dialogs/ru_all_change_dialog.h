#pragma once

#include "edit_dialog.h"

class QLabel;
class QLineEdit;
class QSlider;

// "Form6": gives all sixteen points of the RU map one value, chosen on a slider from +15 % at
// the top to -15 % at the bottom. Opened by "All data change" of the RU view.
class RuAllChangeDialog : public EditDialog {
    Q_OBJECT
public:
    explicit RuAllChangeDialog(const EditContext &context);

    [[nodiscard]] QSlider *slider() const { return m_slider; }

    // Enter: every RU point gets ValueByte, the RU view is shown anew.
    void RU_Alldata_Cheng();

protected:
    void enterAction() override { RU_Alldata_Cheng(); }
    void cancelAction() override;

private:
    void refreshValue();
    void closeAndHandBackCommands();

    QLineEdit *m_text2 = nullptr;
    QSlider *m_slider = nullptr;
    QLineEdit *m_text3 = nullptr;
    QLabel *m_label1 = nullptr;
};
