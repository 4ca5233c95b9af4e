#pragma once

#include <QRect>

// What an edit dialog does to the main window's controls.
class WindowControls {
public:
    virtual ~WindowControls() = default;
    // The window's controls as a whole: off while a dialog is open or a transfer runs.
    virtual void setMainWindowEnabled(bool enabled) = 0;
    // Enables the commands a closing map dialog hands back: Open, Save, Data Write, Quit, All
    // area Data change, and Data Read when withDataRead; the menu items Open, Save, DataWrite,
    // and DataRead when withMenuDataRead.
    virtual void enableCommandsAfterMapEdit(bool withDataRead, bool withMenuDataRead) = 0;
    // The window's frame on the screen as it would be around its zoomed layout alone: a window
    // made larger than its layout leaves room around it, which the dialogs' places leave out.
    [[nodiscard]] virtual QRect layoutFrame() const = 0;
};
