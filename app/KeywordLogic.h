// The keyword dialog without its window: the keyword table as listed, and each button's
// command against the album browser's catalogue, with the messages and count texts it shows.
#pragma once

#include <set>
#include <vector>

#include "platform/win/windef.h"
#include "views/catalogue/CatalogueStore.h"

class CThumbCatalogue;

class CKeywordLogic {
public:
    explicit CKeywordLogic(CThumbCatalogue* catalogue) : m_pCatalogue(catalogue) {}

    // Re-reads the keyword table; rows and names follow its order.
    void Load();
    const std::vector<KEYWORD_HEADER>& Rows() const { return m_rows; }
    const std::vector<CString>& Names() const { return m_names; }

    // Opening: the identifiers the selected pictures carry (rows to select) and "%d / %d" of
    // the selected pictures with keywords and the pictures on show.
    CString Open(std::set<int>& selectIds);

    // Each command takes the identifiers of the selected rows. Commands that need a selection
    // show "적용할 키워드를 선택하세요." without one and return false.
    bool NeedSelection(const std::vector<int>& ids) const;
    void AddKeyword(const CString& name);
    bool Rename(int id, const CString& newName);
    bool Delete(const std::vector<int>& ids);
    bool Apply(const std::vector<int>& ids);
    void RemoveAll();
    // Keyword search; `countText` becomes "%d / %d" of the pictures found and the album's total.
    bool Search(const std::vector<int>& ids, CString& countText);
    bool SearchAll(CString& countText);

    static CString CountText(int a, int b);

private:
    CThumbCatalogue* m_pCatalogue;
    std::vector<KEYWORD_HEADER> m_rows;
    std::vector<CString> m_names;
};
