// CMLSpecialCharListCtrl: the symbol picker of the text tools. A grid of 16-pixel cells, one
// symbol each, taken from the Unicode blocks of the category table that the Korean code page
// can show. Choosing a cell (a click, or Space on the current one) sends message 1524 to the
// nearest message-handling parent with a pointer to a CString holding the symbol.
#pragma once

#include <QListWidget>

#include <cstdint>
#include <vector>

#include "platform/win/windef.h"

class CMsgTarget;

class CMLSpecialCharListCtrl : public QListWidget {
public:
    static constexpr UINT WM_SYMBOL_CHOSEN = 1524;  // WM_USER + 500; wParam: CString*
    static constexpr int kCellSize = 16;

    struct Category {
        std::int32_t key;
        std::uint16_t first;
        std::uint16_t last;
        const char* name;
    };

    explicit CMLSpecialCharListCtrl(QWidget* parent = nullptr);

    // Fills the grid with the key-1 symbols; non-zero gridLines draws the cell lines. Answers
    // the number of symbols laid out.
    int Init(int gridLines);
    // Every symbol of the categories with that key, in table order, as UTF-8, leaving out the
    // ones the code page cannot show.
    static CString GetSpecialString(int key);
    // Wide text to code page 949 in a new array (delete[]); 0 on success, else an error code
    // and a null array.
    static long UnicodeToAnsi(const wchar_t* text, char** out);
    static const std::vector<Category>& Categories();
    // A UTF-8 text split into its characters.
    static std::vector<CString> SplitCharacters(const CString& text);

    // (client width - vertical scroll bar width) / 16.
    int GetColumnCount() const;
    bool HasGridLines() const { return m_bGridLines; }
    // Where the chosen symbols go; by default the nearest parent that handles messages.
    void SetNotifyTarget(CMsgTarget* target) { m_pTarget = target; }
    // Sends the cell's symbol as a click would.
    void SendCell(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CMsgTarget* Target() const;

    CMsgTarget* m_pTarget = nullptr;
    bool m_bGridLines = false;
    int m_nPressed = -1;
};
