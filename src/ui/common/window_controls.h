#pragma once

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
};
