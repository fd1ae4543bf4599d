// The window kind of every drop-down (a combo box's list, a menu level, the
// images grid): a frameless tool-tip kind of window above its opener's form,
// never activated and never focused, so the form keeps the activation, the
// focus and its keys. Not Qt::Popup: that grabs the input, takes the focus
// and closes itself on any outside press.
#pragma once

class QWidget;

// Call before the window is first shown; its parent stays (a drop-down of a
// modal dialog is parented to the dialog, so it takes input and stacks above it).
void MakeDropDownWindow(QWidget* W);
