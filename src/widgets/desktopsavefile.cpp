// The desktop's Save As: Qt's own file dialog, which refuses the program's
// database before it asks whether to replace a file.
#include "widgets/platform.h"

#include "widgets/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Refuses the program's database at once, before the question whether to
// replace it, and stays open for another choice.
class SaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && RefusedAsOpenDatabase(files.first()))
            return;
        QFileDialog::accept();
    }
};

class DesktopSaveFile : public SaveFileService {
protected:
    bool choose(SaveFileRequest& r) override
    {
        SaveDialog dialog(r.owner);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // Qt's own dialog, so that it can be placed and always asks before
        // an existing file is replaced.
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (!r.dialogTitle.isEmpty())
            dialog.setWindowTitle(r.dialogTitle);
        QStringList nameFilters;
        for (int i = 0; i + 1 < r.filters.size(); i += 2) {
            // Qt reads the patterns from the parentheses of each filter.
            // A description that already shows its patterns is kept as it is.
            const QString patterns = QString(r.filters[i + 1]).replace(u';', u' ');
            const QString& description = r.filters[i];
            nameFilters << (description.endsWith(QStringLiteral("(%1)").arg(patterns))
                                ? description
                                : QStringLiteral("%1 (%2)").arg(description, patterns));
        }
        if (!nameFilters.isEmpty()) {
            dialog.setNameFilters(nameFilters);
            if (r.filterIndex >= 1 && r.filterIndex <= nameFilters.size())
                dialog.selectNameFilter(nameFilters[r.filterIndex - 1]);
        }
        QString ext = r.defaultExt;
        if (ext.startsWith(u'.'))
            ext.remove(0, 1);
        if (!ext.isEmpty())
            dialog.setDefaultSuffix(ext);
        if (!r.initialDir.isEmpty())
            dialog.setDirectory(r.initialDir);
        if (!r.fileName.isEmpty())
            dialog.selectFile(r.fileName);
        // Shown (modal) before exec so that it can be placed at its final
        // size, title bar and all: centred on the owner's window, or without
        // one in the middle of the screen.
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        if (r.owner && r.owner->window()->isVisible()) {
            const QRect frame = dialog.frameGeometry();
            dialog.move(r.owner->window()->frameGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
        } else {
            placeDialog(&dialog, 5);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        r.fileName = QDir::toNativeSeparators(dialog.selectedFiles().first());
        r.filterIndex = nameFilters.indexOf(dialog.selectedNameFilter()) + 1;
        return true;
    }
};

}  // namespace

std::unique_ptr<SaveFileService> desktopSaveFileService()
{
    return std::make_unique<DesktopSaveFile>();
}
