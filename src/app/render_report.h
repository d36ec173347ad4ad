// korv-render --report IN OUT.pdf [--lang N] [--zone Z]: the printed register of a card file as
// a PDF, without a display. The file is read as Open reads it (a one-zone file goes to zone Z,
// 1 unless given); the date is today's, or SOURCE_DATE_EPOCH's (ui/print/register_printing.h).
#pragma once

namespace korv::app {

inline constexpr int kReportWritten = 0;
inline constexpr int kReportNotWritten = 1; // OUT could not be written
inline constexpr int kReportUsage = 2;
inline constexpr int kReportNoCardFile = 3; // IN could not be read, or is no card file

// argv[1] is "--report". Starts its own application on the offscreen platform.
int RenderReport(int argc, char** argv);

} // namespace korv::app
