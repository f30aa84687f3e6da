#include "app/GuiHelpers.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>
#include <QWidget>

#include "common/Gandry.h"

QString QtFileFilter(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty()) break;
        patterns.replace(';', ' ');
        // Qt reads the patterns from the last parentheses of an entry.
        int open = description.lastIndexOf('(');
        if (open >= 0) description = description.left(open).trimmed();
        entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {

int ShowOpenFileDialog(CStringList* files, const CString& filter, int bOpen) {
    // The save form was never used; it prepares nothing and reports cancel.
    if (!bOpen || !files) return 0;
    files->clear();
    QWidget* owner = QApplication::activeWindow();
    QStringList chosen =
        QFileDialog::getOpenFileNames(owner, QStringLiteral("파일 가져오기"), QString(), QtFileFilter(filter));
    if (chosen.isEmpty()) return 0;
    for (const QString& path : chosen) files->push_back(path.toStdString());
    return 1;
}

}  // namespace

void InstallGuiHelpers() {
    CGandry::SetFileDialogHandler(ShowOpenFileDialog);
}

void RemoveGuiHelpers() {
    CGandry::SetFileDialogHandler(nullptr);
}
