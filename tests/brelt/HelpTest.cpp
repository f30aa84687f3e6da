// The help folder in the program folder: the start topic is there and no page links to a
// page or style sheet that is missing.
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

TEST(BreltHelp, StartTopicExistsAndEveryLinkResolves)
{
    const QDir help(QStringLiteral(VIMBRO_HELP));
    ASSERT_TRUE(help.exists(QStringLiteral("001_AboutVimbroSuite.htm")));
    const QStringList pages = help.entryList({QStringLiteral("*.htm")}, QDir::Files);
    EXPECT_GE(pages.size(), 4);
    const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"#:]+)")re"));
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        QFile f(help.filePath(page));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        int links = 0;
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            EXPECT_TRUE(help.exists(target)) << target.toStdString();
            ++links;
        }
        // Each page reaches every other one through its navigation.
        EXPECT_GE(links, pages.size());
    }
}
