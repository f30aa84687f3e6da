#include "app/HelpTopics.h"
#include <QDir>
#include <QWidget>
#include "app/AboutDlg.h"
#include "app/DlgAddAlbum.h"
#include "app/DlgBright.h"
#include "app/DlgBundleChange.h"
#include "app/DlgChangeName.h"
#include "app/DlgEnvironment.h"
#include "app/DlgExport.h"
#include "app/DlgExportEBA.h"
#include "app/DlgExportPHT.h"
#include "app/DlgInfo.h"
#include "app/DlgKeyword.h"
#include "app/DlgNewKeyword.h"
#include "app/DlgSaveAs.h"

namespace HelpTopics {

namespace {

const char* const kModePages[] = {"002_AlbumComposition.htm", "003_PhotoEditing.htm", "004_Decoration.htm"};

struct DialogPage {
    bool (*is)(const QWidget*);
    const char* page;
};

template <class T>
bool Is(const QWidget* w) {
    return dynamic_cast<const T*>(w) != nullptr;
}

// The EBA and PHT dialogs derive from one base, so each is asked for before anything else.
const DialogPage kDialogPages[] = {
    {Is<CDlgExportEBA>, "005_ExportAndSave.htm#eba"},
    {Is<CDlgExportPHT>, "005_ExportAndSave.htm#pht"},
    {Is<CDlgExport>, "005_ExportAndSave.htm#export"},
    {Is<CDlgSaveAs>, "005_ExportAndSave.htm#save-as"},
    {Is<CDlgAddAlbum>, "006_AlbumsAndKeywords.htm#add-album"},
    {Is<CDlgKeyword>, "006_AlbumsAndKeywords.htm#keyword"},
    {Is<CDlgNewKeyword>, "006_AlbumsAndKeywords.htm#new-keyword"},
    {Is<CDlgChangeName>, "006_AlbumsAndKeywords.htm#rename-keyword"},
    {Is<CDlgInfo>, "006_AlbumsAndKeywords.htm#info"},
    {Is<CDlgBundleChange>, "006_AlbumsAndKeywords.htm#bundle"},
    {Is<CDlgBright>, "003_PhotoEditing.htm#brightness"},
    {Is<CDlgEnvironment>, "007_Settings.htm#environment"},
    {Is<CAboutDlg>, "007_Settings.htm#about"},
};

}  // namespace

QString PageForMode(int mode) {
    if (mode < 0 || mode >= static_cast<int>(std::size(kModePages))) return QString::fromLatin1(kContents);
    return QString::fromLatin1(kModePages[mode]);
}

QString PageForWindow(const QWidget* window) {
    if (!window) return {};
    for (const DialogPage& d : kDialogPages)
        if (d.is(window)) return QString::fromLatin1(d.page);
    return {};
}

std::vector<QString> AllPages() {
    std::vector<QString> pages{QString::fromLatin1(kContents)};
    for (const char* p : kModePages) pages.push_back(QString::fromLatin1(p));
    for (const DialogPage& d : kDialogPages) pages.push_back(QString::fromLatin1(d.page));
    return pages;
}

QUrl Url(const QString& helpFolder, const QString& page) {
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    QUrl url = QUrl::fromLocalFile(QDir(helpFolder).filePath(hash < 0 ? page : page.left(hash)));
    if (hash >= 0) url.setFragment(page.mid(hash + 1));
    return url;
}

}  // namespace HelpTopics
