// The help pages and the way the program opens them: every page the program can open exists
// with its anchor, the pages' pictures and links are whole, and F1 answers with the page of
// what is in front while the help menu's command opens the contents page.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <set>
#include "app/AboutDlg.h"
#include "app/DlgBright.h"
#include "app/DlgChangeName.h"
#include "app/DlgExportEBA.h"
#include "app/DlgExportPHT.h"
#include "app/DlgNewKeyword.h"
#include "app/HelpTopics.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "platform/brelt/Brelt.h"
#include "tests/catalogue/Fixture.h"
#include "tests/support/FrameData.h"

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

const QString kHelp = QStringLiteral(VIMBRO_SOURCE_DIR "/help");

QString Read(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QStringList Pages() { return QDir(kHelp).entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name); }

QStringList Captures(const QString& text, const QString& pattern) {
    QStringList found;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext()) found << it.next().captured(1);
    return found;
}

}  // namespace

TEST(HelpPages, EveryPageTheProgramOpensExistsWithItsAnchor) {
    for (const QString& page : HelpTopics::AllPages()) {
        const QString file = page.section(QLatin1Char('#'), 0, 0);
        const QString anchor = page.section(QLatin1Char('#'), 1);
        const QString text = Read(kHelp + QLatin1Char('/') + file);
        ASSERT_FALSE(text.isEmpty()) << file.toStdString();
        if (!anchor.isEmpty()) {
            EXPECT_TRUE(text.contains(QStringLiteral("id=\"%1\"").arg(anchor))) << page.toStdString();
        }
    }
}

TEST(HelpPages, PicturesAreThereAndAllUsedAndEveryPageLinksHome) {
    const QStringList pages = Pages();
    ASSERT_EQ(pages.size(), 7);
    std::set<QString> used;
    for (const QString& page : pages) {
        const QString text = Read(kHelp + QLatin1Char('/') + page);
        for (const QString& src : Captures(text, QStringLiteral("<img[^>]*\\ssrc=\"([^\"]+)\""))) {
            EXPECT_TRUE(src.startsWith(QStringLiteral("images/"))) << page.toStdString() << ": " << src.toStdString();
            EXPECT_TRUE(QFile::exists(kHelp + QLatin1Char('/') + src)) << page.toStdString() << ": " << src.toStdString();
            used.insert(src.mid(7));
        }
        // Every picture says what it shows, for readers who cannot see it.
        EXPECT_EQ(Captures(text, QStringLiteral("(<img)")).size(), Captures(text, QStringLiteral("<img[^>]*(\\salt=\"[^\"]+\")")).size())
            << page.toStdString();
        const QStringList links = Captures(text, QStringLiteral("href=\"([^\"#]+)"));
        EXPECT_TRUE(links.contains(QStringLiteral("001_AboutVimbroSuite.htm"))) << page.toStdString();
        for (const QString& link : links)
            EXPECT_TRUE(QFile::exists(kHelp + QLatin1Char('/') + link)) << page.toStdString() << ": " << link.toStdString();
    }
    const QStringList pictures = QDir(kHelp + QStringLiteral("/images")).entryList(QDir::Files);
    EXPECT_FALSE(pictures.isEmpty());
    for (const QString& picture : pictures) EXPECT_TRUE(used.count(picture)) << picture.toStdString() << " is not used";
    // The contents page leads to every other page.
    const QStringList fromContents = Captures(Read(kHelp + QStringLiteral("/001_AboutVimbroSuite.htm")),
                                              QStringLiteral("href=\"([^\"#]+)"));
    for (const QString& page : pages) EXPECT_TRUE(fromContents.contains(page)) << page.toStdString();
}

TEST(HelpTopicsTest, ModesAndDialogsHaveTheirPages) {
    App();
    EXPECT_EQ(HelpTopics::PageForMode(0), QStringLiteral("002_AlbumComposition.htm"));
    EXPECT_EQ(HelpTopics::PageForMode(1), QStringLiteral("003_PhotoEditing.htm"));
    EXPECT_EQ(HelpTopics::PageForMode(2), QStringLiteral("004_Decoration.htm"));
    EXPECT_EQ(HelpTopics::PageForMode(3), QStringLiteral("001_AboutVimbroSuite.htm"));
    EXPECT_EQ(HelpTopics::PageForMode(-1), QStringLiteral("001_AboutVimbroSuite.htm"));

    std::vector<CString> names{"바다"};
    CDlgNewKeyword newKeyword(&names);
    CDlgChangeName rename("바다", &names);
    CAboutDlg about;
    CDlgExportEBA eba({});
    CDlgExportPHT pht({});
    QWidget plain;
    EXPECT_EQ(HelpTopics::PageForWindow(&newKeyword), QStringLiteral("006_AlbumsAndKeywords.htm#new-keyword"));
    EXPECT_EQ(HelpTopics::PageForWindow(&rename), QStringLiteral("006_AlbumsAndKeywords.htm#rename-keyword"));
    EXPECT_EQ(HelpTopics::PageForWindow(&about), QStringLiteral("007_Settings.htm#about"));
    EXPECT_EQ(HelpTopics::PageForWindow(&eba), QStringLiteral("005_ExportAndSave.htm#eba"));
    EXPECT_EQ(HelpTopics::PageForWindow(&pht), QStringLiteral("005_ExportAndSave.htm#pht"));
    EXPECT_EQ(HelpTopics::PageForWindow(&plain), QString());
    EXPECT_EQ(HelpTopics::PageForWindow(nullptr), QString());
}

TEST(HelpTopicsTest, UrlKeepsTheAnchorAsFragment) {
    EXPECT_EQ(HelpTopics::Url(QStringLiteral("/opt/v/help"), QStringLiteral("005_ExportAndSave.htm#eba")).toString(),
              QStringLiteral("file:///opt/v/help/005_ExportAndSave.htm#eba"));
    EXPECT_EQ(HelpTopics::Url(QStringLiteral("/opt/v/help/"), QStringLiteral("001_AboutVimbroSuite.htm")).toString(),
              QStringLiteral("file:///opt/v/help/001_AboutVimbroSuite.htm"));
}

class HelpFrameTest : public cattest::CatalogueTest {
protected:
    HelpFrameTest() {
        App();
        CBrelt::Unload();
        testsupport::InstallModels(home);
        frame = std::make_unique<CMainFrame>();
        EXPECT_TRUE(frame->OnCreate(false));
        frame->SetUrlOpener([this](const QUrl& url) {
            opened.push_back(url.toString());
            return true;
        });
    }
    std::unique_ptr<CMainFrame> frame;
    std::vector<QString> opened;
};

TEST_F(HelpFrameTest, F1OpensTheModesPageAndTheMenuTheContents) {
    const QString folder = QUrl::fromLocalFile(CMainFrame::HelpFolder()).toString();
    frame->show();
    QApplication::setActiveWindow(frame.get());
    QTest::keyClick(frame.get(), Qt::Key_F1);
    QAction* help = frame->Action(ID_HELP);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->shortcut(), QKeySequence(Qt::Key_F1));
    help->trigger();
    EXPECT_EQ(opened, (std::vector<QString>{folder + QStringLiteral("/002_AlbumComposition.htm"),
                                             folder + QStringLiteral("/001_AboutVimbroSuite.htm")}));
}

TEST_F(HelpFrameTest, F1InAModalDialogOpensTheDialogsPage) {
    const QString folder = QUrl::fromLocalFile(CMainFrame::HelpFolder()).toString();
    frame->show();
    std::vector<CString> names;
    CDlgNewKeyword dialog(&names, frame.get());
    dialog.setModal(true);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    dialog.hide();
    QTest::keyClick(frame.get(), Qt::Key_F1);
    EXPECT_EQ(opened, (std::vector<QString>{folder + QStringLiteral("/006_AlbumsAndKeywords.htm#new-keyword"),
                                             folder + QStringLiteral("/002_AlbumComposition.htm")}));
}
