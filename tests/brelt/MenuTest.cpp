// Menus 128 (the menu bar) and 129 (the context menus): the commands the frame serves, with
// Korean texts, the usual accelerators, unique mnemonics and the positions the views set.
#include "tests/brelt/BreltFixture.h"

#include <QKeySequence>

#include <map>
#include <set>

namespace {

using Item = CBrelt::MenuItem;

constexpr int ID_EDIT_COPY = 57634, ID_EDIT_PASTE = 57637, ID_EDIT_SELECT_ALL = 57642, ID_EDIT_UNDO = 57643,
              ID_EDIT_REDO = 57644, ID_APP_ABOUT = 57664, ID_HELP = 57670;

// The frame's menu commands (the top bar's own buttons and model list excepted).
const std::set<int> kFrameCommands = {7020,  7021,  7022,  33824, 33823, 32771, 33826, ID_EDIT_COPY, ID_EDIT_PASTE,
                                      ID_EDIT_SELECT_ALL,  32782, 32783, 32784, 32785, 32786, 32787, 32788, 32789,
                                      32790, 32791, 33833, 33831, 33825, 33832, 33834, ID_EDIT_UNDO, ID_EDIT_REDO,
                                      33827, 33836, ID_HELP};

bool HasHangul(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3)
            return true;
    return false;
}

void Collect(const std::vector<Item>& items, std::vector<const Item*>& out)
{
    for (const Item& i : items) {
        if (i.id > 0)
            out.push_back(&i);
        Collect(i.children, out);
    }
}

// The mnemonic letter after '&', upper-cased; 0 when none.
QChar Mnemonic(const QString& text)
{
    const int at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toUpper() : QChar();
}

void ExpectUniqueMnemonics(const std::vector<Item>& items, const QString& where)
{
    std::set<QChar> seen;
    for (const Item& i : items) {
        if (i.separator)
            continue;
        const QChar m = Mnemonic(i.text);
        if (!m.isNull()) {
            EXPECT_TRUE(seen.insert(m).second) << where.toStdString() << ": " << i.text.toStdString();
        }
        ExpectUniqueMnemonics(i.children, where + QLatin1Char('/') + i.text);
    }
}

}  // namespace

TEST_F(BreltTest, MenuBarCarriesEveryFrameCommandOnceWithKoreanText)
{
    const std::vector<Item> bar = CBrelt::Menu(128);
    ASSERT_FALSE(bar.empty());
    for (const Item& popup : bar) {
        EXPECT_EQ(popup.id, 0);
        EXPECT_FALSE(popup.children.empty()) << popup.text.toStdString();
        EXPECT_TRUE(HasHangul(popup.text)) << popup.text.toStdString();
    }
    std::vector<const Item*> commands;
    Collect(bar, commands);
    std::map<int, int> count;
    for (const Item* c : commands) {
        ++count[c->id];
        EXPECT_TRUE(HasHangul(c->text) || c->text.contains(QLatin1String("VimbroSuite"))) << c->id;
        EXPECT_TRUE(c->children.empty()) << c->id;
    }
    for (int id : kFrameCommands)
        EXPECT_EQ(count[id], 1) << id;
    EXPECT_EQ(count[ID_APP_ABOUT], 1);
    // Nothing else: a stray identifier would be a command no one serves.
    for (const auto& [id, n] : count)
        EXPECT_TRUE(kFrameCommands.count(id) || id == ID_APP_ABOUT || id == 57665) << id;
    ExpectUniqueMnemonics(bar, QStringLiteral("128"));
}

TEST_F(BreltTest, MenuBarAcceleratorsAreTheUsualOnesAndUnique)
{
    std::vector<const Item*> commands;
    const std::vector<Item> bar = CBrelt::Menu(128);
    Collect(bar, commands);
    const std::map<int, QKeySequence> expected = {
        {ID_EDIT_COPY, QKeySequence(Qt::CTRL | Qt::Key_C)},      {ID_EDIT_PASTE, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {ID_EDIT_SELECT_ALL, QKeySequence(Qt::CTRL | Qt::Key_A)}, {32782, QKeySequence(Qt::Key_Delete)},
        {ID_EDIT_UNDO, QKeySequence(Qt::CTRL | Qt::Key_Z)},      {ID_EDIT_REDO, QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {33825, QKeySequence(Qt::CTRL | Qt::Key_S)},             {ID_HELP, QKeySequence(Qt::Key_F1)},
    };
    std::set<QString> seen;
    for (const Item* c : commands) {
        if (c->shortcut.isEmpty())
            continue;
        const QKeySequence keys(c->shortcut);
        EXPECT_FALSE(keys.isEmpty()) << c->id;
        EXPECT_TRUE(seen.insert(keys.toString()).second) << "shortcut used twice: " << c->shortcut.toStdString();
    }
    for (const auto& [id, keys] : expected) {
        const auto it = std::find_if(commands.begin(), commands.end(), [id = id](const Item* c) { return c->id == id; });
        ASSERT_NE(it, commands.end()) << id;
        EXPECT_EQ(QKeySequence((*it)->shortcut), keys) << id;
    }
}

TEST_F(BreltTest, ShowModesAndSortOrdersAreRadioGroups)
{
    std::vector<const Item*> commands;
    const std::vector<Item> bar = CBrelt::Menu(128);
    Collect(bar, commands);
    for (const Item* c : commands) {
        const bool radio = (c->id >= 32783 && c->id <= 32787);
        EXPECT_EQ(c->radio, radio) << c->id;
    }
}

TEST_F(BreltTest, ContextMenusAreAtThePositionsTheViewsOpen)
{
    const std::vector<Item> menus = CBrelt::Menu(129);
    ASSERT_EQ(menus.size(), 5u);
    ExpectUniqueMnemonics(menus, QStringLiteral("129"));

    // 0: an album of the strip: it deletes albums through the frame.
    std::vector<const Item*> album;
    Collect(menus[0].children, album);
    EXPECT_TRUE(std::any_of(album.begin(), album.end(), [](const Item* c) { return c->id == 32771; }));

    // 1 and 2: the browser with and without a selection; only frame commands.
    for (int sub : {0, 1, 2}) {
        std::vector<const Item*> items;
        Collect(menus[size_t(sub)].children, items);
        EXPECT_FALSE(items.empty()) << sub;
        for (const Item* c : items) {
            EXPECT_TRUE(kFrameCommands.count(c->id)) << sub << ": " << c->id;
            EXPECT_TRUE(HasHangul(c->text)) << c->id;
        }
    }
    std::vector<const Item*> withSelection;
    Collect(menus[1].children, withSelection);
    for (int id : {ID_EDIT_COPY, 32782, 32789})
        EXPECT_TRUE(std::any_of(withSelection.begin(), withSelection.end(), [id](const Item* c) { return c->id == id; }))
            << id;

    // 3: the delays in order, 100 ms to 3 s.
    const std::vector<Item>& delays = menus[3].children;
    ASSERT_EQ(delays.size(), 10u);
    const char* texts[] = {"0.1초", "0.2초", "0.3초", "0.5초", "0.8초", "1.0초", "1.5초", "2.0초", "2.5초", "3.0초"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(delays[size_t(i)].id, 32792 + i);
        EXPECT_EQ(delays[size_t(i)].text, QString::fromUtf8(texts[i]));
    }

    // 4: the slide box, whose items the strip sets by position.
    const std::vector<Item>& slide = menus[4].children;
    ASSERT_GE(slide.size(), 7u);
    EXPECT_EQ(slide[0].id, 32804);
    EXPECT_EQ(slide[0].text, QStringLiteral("복사"));
    EXPECT_EQ(slide[1].id, 32805);
    EXPECT_EQ(slide[1].text, QStringLiteral("붙여넣기"));
    EXPECT_TRUE(slide[2].separator);
    EXPECT_EQ(slide[3].id, 32803);
    EXPECT_EQ(slide[3].text, QStringLiteral("삭제"));
    EXPECT_EQ(slide[4].id, 33830);
    EXPECT_EQ(slide[4].text, QStringLiteral("모두삭제"));
    EXPECT_FALSE(slide[6].separator);  // becomes the "프레임 이동" sub-menu
    EXPECT_EQ(slide[6].id, 0);
    EXPECT_EQ(slide[6].text, QStringLiteral("프레임 이동"));
    std::vector<const Item*> slideCommands;
    Collect(slide, slideCommands);
    EXPECT_TRUE(std::any_of(slideCommands.begin(), slideCommands.end(), [](const Item* c) { return c->id == 32806; }));
}
