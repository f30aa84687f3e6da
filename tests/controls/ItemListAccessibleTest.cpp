#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

#include <vector>

#include "tests/controls/ControlsApp.h"
#include "views/controls/ItemListAccessible.h"

namespace {

// Cells of 10 x 10 pixels side by side; the names may shrink under a screen reader's feet.
class CellRow : public CAccessibleItems, public QWidget {
public:
    CellRow() { InstallAccessibility(); }

    QStringList names;
    int chosen = -1;
    std::vector<int> activated;

    int AccessibleItemCount() override { return static_cast<int>(names.size()); }
    QString AccessibleItemName(int index) override { return names.at(index); }
    QRect AccessibleItemRect(int index) override { return QRect(mapToGlobal(QPoint(index * 10, 0)), QSize(10, 10)); }
    QAccessible::State AccessibleItemState(int index) override {
        QAccessible::State s;
        s.selectable = true;
        s.selected = index == chosen;
        return s;
    }
    int AccessibleItemAt(QPoint global) override {
        const QPoint local = mapFromGlobal(global);
        return local.y() >= 0 && local.y() < 10 && local.x() >= 0 ? local.x() / 10 : -1;
    }
    QString AccessibleItemAction() override { return QAccessibleActionInterface::toggleAction(); }
    void AccessibleItemActivate(int index) override { activated.push_back(index); }
};

}  // namespace

TEST(CItemListAccessible, ItemsFollowTheWidgetAndFindTheirWayBack) {
    ControlsApp();
    CellRow row;
    row.names = {QStringLiteral("빨강"), QStringLiteral("파랑"), QStringLiteral("초록")};
    row.chosen = 1;
    row.resize(30, 10);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&row);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), 3);
    EXPECT_EQ(list->child(3), nullptr);
    EXPECT_EQ(list->child(-1), nullptr);
    for (int i = 0; i < 3; ++i) {
        QAccessibleInterface* item = list->child(i);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item, list->child(i));  // one interface per item, not a new one per request
        EXPECT_EQ(list->indexOfChild(item), i);
        EXPECT_EQ(item->parent(), list);
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        EXPECT_EQ(item->text(QAccessible::Name), row.names.at(i));
        EXPECT_EQ(item->text(QAccessible::Description), QString());
        EXPECT_EQ(item->rect(), QRect(row.mapToGlobal(QPoint(i * 10, 0)), QSize(10, 10)));
        EXPECT_EQ(item->state().selected, i == 1);
        EXPECT_TRUE(item->state().selectable);
        EXPECT_EQ(list->childAt(item->rect().center().x(), item->rect().center().y()), item);
    }
    const QPoint below = row.mapToGlobal(QPoint(5, 20));
    EXPECT_EQ(list->childAt(below.x(), below.y()), nullptr);

    QAccessibleActionInterface* action = list->child(2)->actionInterface();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->actionNames(), QStringList{QAccessibleActionInterface::toggleAction()});
    action->doAction(QAccessibleActionInterface::pressAction());
    action->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(row.activated, std::vector<int>{2});
}

TEST(CItemListAccessible, AnItemGoneFromTheWidgetTurnsInvalidAndDoesNothing) {
    ControlsApp();
    CellRow row;
    row.names = {QStringLiteral("하나"), QStringLiteral("둘"), QStringLiteral("셋")};
    row.resize(30, 10);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&row);
    ASSERT_NE(list, nullptr);
    QAccessibleInterface* last = list->child(2);
    ASSERT_NE(last, nullptr);
    row.names.removeLast();
    EXPECT_EQ(list->childCount(), 2);
    EXPECT_EQ(list->child(2), nullptr);
    EXPECT_FALSE(last->isValid());
    EXPECT_TRUE(last->state().invalid);
    EXPECT_FALSE(last->state().selectable);
    EXPECT_EQ(last->text(QAccessible::Name), QString());
    EXPECT_EQ(last->rect(), QRect());
    const QPoint third = row.mapToGlobal(QPoint(25, 5));
    EXPECT_EQ(list->childAt(third.x(), third.y()), nullptr);
    last->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(row.activated.empty());
    // The item comes back when the widget has it again.
    row.names.append(QStringLiteral("넷"));
    EXPECT_TRUE(last->isValid());
    EXPECT_EQ(last->text(QAccessible::Name), QStringLiteral("넷"));
}
