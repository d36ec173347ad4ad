#pragma once

class QApplication;

namespace korv::ui {

inline constexpr const char* kStyleName = "Iceberg Classico";

// Our own light blue-grey look for every window of the application.
void ApplyAppStyle(QApplication& app);

} // namespace korv::ui
