#pragma once

class JuggleView;
class QWidget;

// File > Export Animation...: asks where, then writes one loop of the view's siteswap as
// an animated GIF at the view's size, speed and zoom, with a cancellable progress dialog.
// Does nothing without a view or a pattern.
void exportAnimation(JuggleView* view, QWidget* parent);
