#pragma once

class QApplication;

namespace korv::ui {

inline constexpr const char* kStyleName = "Iceberg Classico";
// The text size of the design, in pixels.
inline constexpr int kDesignFontPixels = 12;

// Our own light blue-grey look for every window of the application.
void ApplyAppStyle(QApplication& app);

} // namespace korv::ui
