// CReportCtrl: a report list of rows (one CReportCtrlItem per column, plus item data), single or
// multiple selection, sorted by a header click with CReportCtrlItem::Compare.
#pragma once

#include <QIcon>
#include <QTreeWidget>

#include <cstdint>
#include <string>
#include <vector>

#include "views/controls/ReportCtrlHeader.h"
#include "views/controls/ReportCtrlItem.h"

class CReportCtrl : public QTreeWidget {
public:
    using ItemData = std::uintptr_t;
    static constexpr int kSortAscending = 0;
    static constexpr int kSortDescending = 1;

    explicit CReportCtrl(QWidget* parent = nullptr);
    ~CReportCtrl() override;

    // Returns the index of the new column, or -1.
    int InsertColumn(int index, const char* title, int format = CReportCtrlHeader::kLeft, int width = -1,
                     int subItem = -1);
    int GetColumnCount() const { return static_cast<int>(m_headers.size()); }
    const CReportCtrlHeader& GetColumn(int index) const { return m_headers.at(static_cast<std::size_t>(index)); }

    // Rows: the items fill the columns from the first (missing ones stay empty). Each returns
    // the row's index, or -1.
    int AddRowItems(const std::vector<CReportCtrlItem>& items, ItemData data = 0);
    int InsertRowItems(int row, const std::vector<CReportCtrlItem>& items, ItemData data = 0);
    bool ModifyRowItems(int row, const std::vector<CReportCtrlItem>& items);
    bool DeleteRow(int row);
    void DeleteAllRows();
    int GetRowCount() const { return topLevelItemCount(); }
    std::vector<CReportCtrlItem> GetRowItems(int row) const;
    bool SetRowItemData(int row, ItemData data);
    ItemData GetRowItemData(int row) const;

    void SetMultiSelect(bool multiple);
    // The first selected row, or -1.
    int GetSelectRowIndex() const;
    bool SetSelectRow(int row, bool select = true);
    // The selected rows in row order, and their item data.
    std::vector<int> GetMultiSelectIndex() const;
    std::vector<ItemData> GetMultiSelectData() const;
    // The next row after `start` (-1: from the top, wrapping round) whose text in `column` is
    // exactly `text`; -1 when none.
    int FindStringExact(int start, const std::string& text, int column = 0) const;

    // Sorts the rows by `column` (kSortAscending or kSortDescending); equal rows keep their order.
    void SortList(int column, int method);
    int GetSortColumn() const { return m_nSortColumn; }
    int GetSortMethod() const { return m_nSortMethod; }

    void SetRowHeight(int height);
    int GetRowHeight() const { return m_nRowHeight; }
    // Images by index: a list of pictures, or a strip of cells of `cellWidth` (resource or image).
    void SetImageList(const std::vector<QImage>& images);
    void SetImageList(const QImage& strip, int cellWidth);
    void SetImageList(int bitmapId, int cellWidth);

private:
    QTreeWidgetItem* Row(int row) const;
    void Fill(QTreeWidgetItem* item, const std::vector<CReportCtrlItem>& items) const;
    CReportCtrlItem Cell(const QTreeWidgetItem* item, int column) const;
    void OnHeaderClicked(int column);

    std::vector<CReportCtrlHeader> m_headers;
    std::vector<QIcon> m_images;
    int m_nRowHeight = 18;
    int m_nSortColumn = -1;
    int m_nSortMethod = kSortAscending;
};
