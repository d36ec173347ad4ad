// How the window asks for a file name. The dialog is built in one place, so a test can check
// how it is set up without running it, and the asking goes through one replaceable function,
// so window tests answer it directly instead of driving a file dialog that fills its list in
// the background.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace korv::ui {

struct FileQuestion {
    bool save = false;
    QString filter;        // Qt's form: "Name (*.a);;Other (*.*)"
    QString defaultSuffix; // save only
    QString folder;        // where the dialog starts; empty: its own choice
};

// The Open or Save dialog for the question, not yet shown.
std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileQuestion& question);

// Asks the person; the chosen name, or nothing when cancelled.
using FileChooser = std::function<std::optional<std::string>(const FileQuestion&)>;

// The real chooser: the dialog of MakeFileDialog, run modally over parent.
FileChooser DialogFileChooser(QWidget* parent);

// "Name (*.a)|*.a|Other (*.*)|*.*" as Qt's "Name (*.a);;Other (*.*)".
QString QtFilterFromPipes(const std::string& filter);

} // namespace korv::ui
