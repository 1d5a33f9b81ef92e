#pragma once
// Closing a window that may sit in the main window's work area.
class QWidget;

namespace selvane {

// Closes the window, or the frame around it when it is a child of the main window: closing
// the window alone would leave its empty frame in the work area and in the Window menu.
void FermerFenetre(QWidget* fenetre);

}  // namespace selvane
