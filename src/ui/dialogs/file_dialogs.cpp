#include "ui/dialogs/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace korv::ui {

QString QtFilterFromPipes(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    // Pairs of description and pattern; Qt reads the pattern from the description itself.
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i];
    return out.join(";;");
}

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileQuestion& question) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setNameFilter(question.filter);
    if (!question.folder.isEmpty())
        dialog->setDirectory(question.folder);
    if (question.save) {
        dialog->setObjectName("SaveDialog1");
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        // Save as asks its own question before replacing a file.
        dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog->setDefaultSuffix(question.defaultSuffix);
    } else {
        dialog->setObjectName("OpenDialog1");
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        // The chosen name need not exist; the command reports what it cannot read.
        dialog->setFileMode(QFileDialog::AnyFile);
    }
    return dialog;
}

FileChooser DialogFileChooser(QWidget* parent) {
    return [parent](const FileQuestion& question) -> std::optional<std::string> {
        const auto dialog = MakeFileDialog(parent, question);
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return std::nullopt;
        return dialog->selectedFiles().first().toStdString();
    };
}

} // namespace korv::ui
