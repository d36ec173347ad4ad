// Captions of fixed-size controls in every language: a caption too long for its control gets
// a smaller font (down to a floor) instead of being cut off at the ends.
#pragma once

class QWidget;

namespace korv::ui {

// The smallest font a caption is shrunk to.
inline constexpr int kSmallestCaptionPixels = 9;

// Fits the captions of the buttons, check boxes, radio buttons and one-line labels under
// root, each starting again from the font it was designed with.
void FitCaptions(QWidget* root);

// The room a caption has in its control, and the width it needs in its current font.
int CaptionRoom(const QWidget* control);
int CaptionWidth(const QWidget* control);

} // namespace korv::ui
