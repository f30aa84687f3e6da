#include "views/controls/ReportCtrl.h"

#include <QHeaderView>
#include <QPixmap>
#include <QStyledItemDelegate>

#include <algorithm>

#include "views/controls/SkinArt.h"

namespace {

constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

// Gives every row the list's row height.
class RowHeightDelegate : public QStyledItemDelegate {
public:
    RowHeightDelegate(const int* height, QObject* parent) : QStyledItemDelegate(parent), m_height(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(*m_height);
        return s;
    }

private:
    const int* m_height;
};

Qt::Alignment AlignmentOf(int format) {
    switch (format & 3) {
        case CReportCtrlHeader::kRight:
            return Qt::AlignRight | Qt::AlignVCenter;
        case CReportCtrlHeader::kCenter:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

CReportCtrl::CReportCtrl(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setColumnCount(0);
    setItemDelegate(new RowHeightDelegate(&m_nRowHeight, this));
    setAccessibleName(QStringLiteral("목록"));
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) { OnHeaderClicked(column); });
}

CReportCtrl::~CReportCtrl() = default;

int CReportCtrl::InsertColumn(int index, const char* title, int format, int width, int subItem) {
    if (index < 0 || index > GetColumnCount()) index = GetColumnCount();
    // Existing rows get an empty cell in the new column.
    std::vector<std::vector<CReportCtrlItem>> rows;
    for (int r = 0; r < GetRowCount(); ++r) {
        std::vector<CReportCtrlItem> items = GetRowItems(r);
        if (GetColumnCount() == 0) items.clear();  // the lone cell of a list without columns
        items.insert(items.begin() + std::min<std::size_t>(index, items.size()), CReportCtrlItem());
        rows.push_back(std::move(items));
    }
    CReportCtrlHeader h;
    h.title = title ? title : "";
    h.format = format;
    h.width = width;
    h.subItem = subItem;
    m_headers.insert(m_headers.begin() + index, h);
    QStringList titles;
    for (const auto& c : m_headers) titles << QString::fromStdString(c.title);
    setColumnCount(GetColumnCount());
    setHeaderLabels(titles);
    for (int c = 0; c < GetColumnCount(); ++c) {
        headerItem()->setTextAlignment(c, AlignmentOf(m_headers[static_cast<std::size_t>(c)].format));
        const int w = m_headers[static_cast<std::size_t>(c)].width;
        if (w >= 0) {
            setColumnWidth(c, w);
        } else {
            resizeColumnToContents(c);
        }
    }
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) Fill(Row(r), rows[static_cast<std::size_t>(r)]);
    return index;
}

QTreeWidgetItem* CReportCtrl::Row(int row) const {
    if (row < 0 || row >= GetRowCount()) return nullptr;
    return topLevelItem(row);
}

void CReportCtrl::Fill(QTreeWidgetItem* item, const std::vector<CReportCtrlItem>& items) const {
    for (int c = 0; c < std::max(1, GetColumnCount()); ++c) {
        const CReportCtrlItem cell =
            c < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(c)] : CReportCtrlItem();
        item->setText(c, QString::fromStdString(cell.text));
        item->setData(c, kImageRole, cell.image);
        const bool hasIcon = cell.image >= 0 && cell.image < static_cast<int>(m_images.size());
        item->setIcon(c, hasIcon ? m_images[static_cast<std::size_t>(cell.image)] : QIcon());
        if (c < GetColumnCount()) item->setTextAlignment(c, AlignmentOf(m_headers[static_cast<std::size_t>(c)].format));
    }
}

CReportCtrlItem CReportCtrl::Cell(const QTreeWidgetItem* item, int column) const {
    CReportCtrlItem cell;
    if (!item) return cell;
    cell.text = item->text(column).toStdString();
    const QVariant image = item->data(column, kImageRole);
    cell.image = image.isValid() ? image.toInt() : -1;
    return cell;
}

int CReportCtrl::AddRowItems(const std::vector<CReportCtrlItem>& items, ItemData data) {
    return InsertRowItems(GetRowCount(), items, data);
}

int CReportCtrl::InsertRowItems(int row, const std::vector<CReportCtrlItem>& items, ItemData data) {
    if (row < 0 || row > GetRowCount()) row = GetRowCount();
    auto* item = new QTreeWidgetItem();
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    Fill(item, items);
    item->setData(0, kDataRole, QVariant::fromValue<qulonglong>(data));
    insertTopLevelItem(row, item);
    return row;
}

bool CReportCtrl::ModifyRowItems(int row, const std::vector<CReportCtrlItem>& items) {
    QTreeWidgetItem* item = Row(row);
    if (!item) return false;
    const QVariant data = item->data(0, kDataRole);
    Fill(item, items);
    item->setData(0, kDataRole, data);
    return true;
}

bool CReportCtrl::DeleteRow(int row) {
    QTreeWidgetItem* item = Row(row);
    if (!item) return false;
    delete takeTopLevelItem(row);
    return true;
}

void CReportCtrl::DeleteAllRows() {
    clear();
}

std::vector<CReportCtrlItem> CReportCtrl::GetRowItems(int row) const {
    std::vector<CReportCtrlItem> items;
    const QTreeWidgetItem* item = Row(row);
    if (!item) return items;
    for (int c = 0; c < std::max(1, GetColumnCount()); ++c) items.push_back(Cell(item, c));
    return items;
}

bool CReportCtrl::SetRowItemData(int row, ItemData data) {
    QTreeWidgetItem* item = Row(row);
    if (!item) return false;
    item->setData(0, kDataRole, QVariant::fromValue<qulonglong>(data));
    return true;
}

CReportCtrl::ItemData CReportCtrl::GetRowItemData(int row) const {
    const QTreeWidgetItem* item = Row(row);
    return item ? static_cast<ItemData>(item->data(0, kDataRole).toULongLong()) : 0;
}

void CReportCtrl::SetMultiSelect(bool multiple) {
    setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

int CReportCtrl::GetSelectRowIndex() const {
    const std::vector<int> rows = GetMultiSelectIndex();
    return rows.empty() ? -1 : rows.front();
}

bool CReportCtrl::SetSelectRow(int row, bool select) {
    QTreeWidgetItem* item = Row(row);
    if (!item) return false;
    if (select && selectionMode() == QAbstractItemView::SingleSelection) clearSelection();
    item->setSelected(select);
    if (select) setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    return true;
}

std::vector<int> CReportCtrl::GetMultiSelectIndex() const {
    std::vector<int> rows;
    for (int r = 0; r < GetRowCount(); ++r)
        if (topLevelItem(r)->isSelected()) rows.push_back(r);
    return rows;
}

std::vector<CReportCtrl::ItemData> CReportCtrl::GetMultiSelectData() const {
    std::vector<ItemData> data;
    for (int r : GetMultiSelectIndex()) data.push_back(GetRowItemData(r));
    return data;
}

int CReportCtrl::FindStringExact(int start, const std::string& text, int column) const {
    const int n = GetRowCount();
    if (n == 0 || column < 0 || column >= std::max(1, GetColumnCount())) return -1;
    const QString want = QString::fromStdString(text);
    const int first = (start < 0 || start >= n) ? 0 : start + 1;
    for (int i = 0; i < n; ++i) {
        const int r = (first + i) % n;
        if (topLevelItem(r)->text(column) == want) return r;
    }
    return -1;
}

void CReportCtrl::SortList(int column, int method) {
    if (column < 0 || column >= std::max(1, GetColumnCount())) return;
    m_nSortColumn = column;
    m_nSortMethod = method == kSortDescending ? kSortDescending : kSortAscending;
    QTreeWidgetItem* current = currentItem();
    // Taking the rows out drops their selection; it is put back after.
    const QList<QTreeWidgetItem*> selected = selectedItems();
    std::vector<QTreeWidgetItem*> items;
    while (topLevelItemCount() > 0) items.push_back(takeTopLevelItem(0));
    const bool descending = m_nSortMethod == kSortDescending;
    std::stable_sort(items.begin(), items.end(), [&](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        const int c = CReportCtrlItem::Compare(Cell(a, column), Cell(b, column));
        return descending ? c > 0 : c < 0;
    });
    for (QTreeWidgetItem* item : items) addTopLevelItem(item);
    if (current) setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    for (QTreeWidgetItem* item : selected) item->setSelected(true);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void CReportCtrl::OnHeaderClicked(int column) {
    // A second click on the same column reverses the order.
    const int method = (column == m_nSortColumn && m_nSortMethod == kSortAscending) ? kSortDescending : kSortAscending;
    SortList(column, method);
}

void CReportCtrl::SetRowHeight(int height) {
    m_nRowHeight = std::max(1, height);
    // Uniform rows cache their height; make the view measure again.
    scheduleDelayedItemsLayout();
    doItemsLayout();
}

void CReportCtrl::SetImageList(const std::vector<QImage>& images) {
    m_images.clear();
    for (const QImage& img : images) m_images.emplace_back(QPixmap::fromImage(img));
    if (!images.empty()) setIconSize(images.front().size());
    for (int r = 0; r < GetRowCount(); ++r) Fill(Row(r), GetRowItems(r));
}

void CReportCtrl::SetImageList(const QImage& strip, int cellWidth) {
    if (strip.isNull() || cellWidth <= 0) {
        SetImageList(std::vector<QImage>{});
        return;
    }
    SetImageList(skinart::Split(strip, strip.width() / cellWidth));
}

void CReportCtrl::SetImageList(int bitmapId, int cellWidth) {
    SetImageList(skinart::Bitmap(bitmapId), cellWidth);
}
