// The album strip of the top bar: one CWndAlbum per album, side by side, with a flat horizontal
// scroll bar when they do not fit. The logic lives in CAlbumStrip; these windows draw it and
// pass it the mouse.
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

#include "app/AlbumStrip.h"

class QScrollBar;
class CEditNumeric;
class CTopListAlbum;

class CWndAlbum : public QWidget {
public:
    static constexpr int kItemBitmap = 7236;
    static constexpr int kAllPhotosBitmap = 7413;
    static constexpr int kStates = 4;
    static constexpr int kNameTop = 32;
    static constexpr int kEditTop = 27;

    CWndAlbum(CTopListAlbum* strip, int index);
    int Index() const { return m_index; }
    int AlbumId() const;
    CTopListAlbum* Strip() const { return m_strip; }
    // The rename box (null while closed).
    CEditNumeric* Editor() const { return m_edit; }
    void OpenEditor(const CString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void HandBack();

    CTopListAlbum* m_strip;
    int m_index;
    bool m_captured = false;
    CEditNumeric* m_edit = nullptr;
};

class CTopListAlbum : public QWidget {
public:
    static constexpr int kScrollHeight = 12;
    static constexpr int kItemId = 7246;
    static constexpr int kContextMenu = 129;

    explicit CTopListAlbum(QWidget* parent = nullptr);

    // The catalogue whose albums the strip shows and edits; until then only "전체사진".
    void SetBrowser(CThumbCatalogue* catalogue);
    CAlbumStrip& Strip() { return m_strip; }
    const CAlbumStrip& Strip() const { return m_strip; }
    // Context-menu commands (delete album 32771 ...) go here.
    void SetCommandHandler(std::function<void(int id)> handler) { m_onCommand = std::move(handler); }
    // Told when the strip's need for a scroll bar changes, so the bar can resize it.
    void SetOnScrollNeed(std::function<void(bool)> f) { m_onScrollNeed = std::move(f); }

    bool NeedsScroll() const;
    QScrollBar* ScrollBar() const { return m_scroll; }
    const std::vector<CWndAlbum*>& Items() const { return m_windows; }
    CWndAlbum* ItemWindow(int id) const;
    const QFont& TextFont() const { return m_font; }
    QImage ItemBitmap(int id) const;
    // Message 3073: the album under a point of this window, or 0.
    int DropAlbumAt(QPoint p) const { return m_strip.DropAlbumAt(p); }
    // Message 3073 as a drag asks it of the window under the cursor: an album item writes its
    // identifier into *dropAlbum and the answer is true (its class "album_list_class" takes a
    // drop); any other window leaves *dropAlbum as it is and the answer is false.
    static bool QueryDropAlbum(QWidget* under, int* dropAlbum);
    // The delete-album command of the frame.
    bool DeleteAlbums() { return m_strip.DeleteCommand(width()); }

    // From the items.
    void ItemPressed(int index);
    void ItemReleased(int index, Qt::KeyboardModifiers modifiers);
    void ItemHovered(int index, bool inside);
    void ItemRightClicked(int index, QPoint globalPos);
    void ItemRenamed(CWndAlbum* item, const CString& text);
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Rebuild();
    void Relayout();

    CAlbumStrip m_strip;
    QFont m_font;
    QImage m_itemImage, m_allImage;
    QScrollBar* m_scroll = nullptr;
    std::vector<CWndAlbum*> m_windows;
    std::function<void(int)> m_onCommand;
    std::function<void(bool)> m_onScrollNeed;
    bool m_lastNeed = false;
    bool m_rebuilding = false;
};
