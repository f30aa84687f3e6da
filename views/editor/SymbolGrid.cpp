#include "views/editor/SymbolGrid.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

#include <string>

#include "platform/afx/afxwin.h"
#include "platform/win/codepage.h"

namespace {

// UTF-8 of one code point (the table stays inside the basic plane).
void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Draws each symbol centred in its cell, the current cell highlighted, with optional lines.
class CSymbolDelegate : public QStyledItemDelegate {
public:
    explicit CSymbolDelegate(CMLSpecialCharListCtrl* list) : QStyledItemDelegate(list), m_pList(list) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QRect r = option.rect;
        const bool current = index.row() == m_pList->currentRow();
        const bool enabled = m_pList->isEnabled();
        p->save();
        if (current && enabled) p->fillRect(r, QColor(0x3C, 0x7F, 0xD0));
        if (m_pList->HasGridLines()) {
            p->setPen(QColor(0xD8, 0xD8, 0xD8));
            p->drawLine(r.topRight(), r.bottomRight());
            p->drawLine(r.bottomLeft(), r.bottomRight());
        }
        p->setPen(!enabled ? QColor(0xA0, 0xA0, 0xA0) : current ? Qt::white : Qt::black);
        p->setFont(option.font);
        p->drawText(r, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {CMLSpecialCharListCtrl::kCellSize, CMLSpecialCharListCtrl::kCellSize};
    }

private:
    CMLSpecialCharListCtrl* m_pList;
};

}  // namespace

CMLSpecialCharListCtrl::CMLSpecialCharListCtrl(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("특수문자"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setGridSize(QSize(kCellSize, kCellSize));
    setSpacing(0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::Box);
    setItemDelegate(new CSymbolDelegate(this));
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
}

const std::vector<CMLSpecialCharListCtrl::Category>& CMLSpecialCharListCtrl::Categories() {
    static const std::vector<Category> table = {
        {6, 0x2500, 0x257F, "Box Drawing"},
        {6, 0x2103, 0x212E, "Unit1"},
        {6, 0x3380, 0x33DD, "Unit2"},
        {5, 0xFF00, 0xFFFD, "Half and Full Width Forms"},
        {4, 0x2460, 0x24FF, "Enclosed Alphanumerics"},
        {3, 0x2160, 0x2179, "Roman Number"},
        {3, 0x0391, 0x03CE, "Basic Greek"},
        {3, 0x0410, 0x044F, "Cyrillic"},
        {2, 0x3041, 0x30F6, "Japaness"},
        {1, 0x00A1, 0x00BF, "Symbol"},
        {1, 0x2013, 0x215E, "Symbol"},
        {1, 0x2190, 0x2321, "Symbol"},
        {1, 0x2580, 0x266D, "Symbol"},
        {1, 0x3001, 0x3015, "Symbol"},
        {1, 0x3380, 0x33DD, "Symbol"},
    };
    return table;
}

long CMLSpecialCharListCtrl::UnicodeToAnsi(const wchar_t* text, char** out) {
    constexpr long kFail = static_cast<long>(0x80004005L);  // E_FAIL
    if (!out) return kFail;
    *out = nullptr;
    if (!text) return kFail;
    std::string utf8;
    for (const wchar_t* p = text; *p; ++p) {
        const auto c = static_cast<char32_t>(*p);
        // Surrogates and values beyond Unicode have no place in the code page.
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            utf8 += '?';
        else
            AppendUtf8(utf8, c);
    }
    const std::string ansi = win::Utf8ToCp949(utf8);
    *out = new char[ansi.size() + 1];
    std::memcpy(*out, ansi.c_str(), ansi.size() + 1);
    return 0;
}

CString CMLSpecialCharListCtrl::GetSpecialString(int key) {
    std::string ansi;
    for (const Category& c : Categories()) {
        if (c.key != key) continue;
        std::wstring wide;
        for (char32_t u = c.first; u <= c.last; ++u) wide += static_cast<wchar_t>(u);
        char* part = nullptr;
        if (UnicodeToAnsi(wide.c_str(), &part) != 0 || !part) return {};
        ansi += part;
        delete[] part;
    }
    // Characters the code page cannot show came out as "?"; no trail byte of the code page is
    // a "?", so the bytes can be dropped one by one.
    std::erase(ansi, '?');
    return win::Cp949ToUtf8(ansi);
}

std::vector<CString> CMLSpecialCharListCtrl::SplitCharacters(const CString& text) {
    std::vector<CString> out;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
        if (i + n > text.size()) n = text.size() - i;
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

int CMLSpecialCharListCtrl::Init(int gridLines) {
    m_bGridLines = gridLines != 0;
    clear();
    for (const CString& s : SplitCharacters(GetSpecialString(1))) {
        auto* item = new QListWidgetItem(QString::fromStdString(s), this);
        item->setTextAlignment(Qt::AlignCenter);
    }
    if (count() > 0) setCurrentRow(0);
    return count();
}

int CMLSpecialCharListCtrl::GetColumnCount() const {
    // The list keeps room for a vertical scroll bar inside its client area when it wraps, so a
    // row holds (client width - scroll bar width) / 16 cells.
    const int bar = verticalScrollBar() ? verticalScrollBar()->sizeHint().width() : 0;
    return std::max(1, (viewport()->width() - bar) / kCellSize);
}

CMsgTarget* CMLSpecialCharListCtrl::Target() const {
    CMsgTarget* target = m_pTarget;
    for (QWidget* w = parentWidget(); !target && w; w = w->parentWidget()) target = dynamic_cast<CMsgTarget*>(w);
    return target;
}

void CMLSpecialCharListCtrl::SendCell(int index) {
    QListWidgetItem* it = item(index);
    if (!it) return;
    CString symbol = it->text().toStdString();
    if (CMsgTarget* target = Target())
        target->SendMessage(WM_SYMBOL_CHOSEN, reinterpret_cast<WPARAM>(&symbol), 0);
}

void CMLSpecialCharListCtrl::keyPressEvent(QKeyEvent* event) {
    const int cur = currentRow();
    const int cols = GetColumnCount();
    switch (event->key()) {
    case Qt::Key_Left:
        // The current cell moves within its row only.
        if (cur > 0 && cur % cols > 0) setCurrentRow(cur - 1);
        event->accept();
        return;
    case Qt::Key_Right:
        if (cur >= 0 && cur % cols < cols - 1 && cur + 1 < count()) setCurrentRow(cur + 1);
        event->accept();
        return;
    case Qt::Key_Space:
        if (cur >= 0) SendCell(cur);
        event->accept();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void CMLSpecialCharListCtrl::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    m_nPressed = -1;
    if (event->button() != Qt::LeftButton) return;
    if (QListWidgetItem* it = itemAt(event->position().toPoint())) {
        m_nPressed = row(it);
        setCurrentRow(m_nPressed);
    }
}

void CMLSpecialCharListCtrl::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || m_nPressed < 0) return;
    QListWidgetItem* it = itemAt(event->position().toPoint());
    const int released = it ? row(it) : -1;
    const int pressed = m_nPressed;
    m_nPressed = -1;
    if (released == pressed) SendCell(pressed);
}
