// CViewThumb: the album browser's window. CThumbCatalogue decides everything (items, grid,
// selection, keys); this widget paints the visible cells, turns mouse, keys, wheel and scroll
// bar into the catalogue's calls, and carries out what the catalogue asks of its host.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <atomic>
#include <functional>
#include <thread>
#include <unordered_map>

#include "views/catalogue/ThumbCatalogue.h"
#include "views/controls/ItemListAccessible.h"

class CViewThumb : public CAccessibleItems, public QAbstractScrollArea, public CThumbHost {
public:
    static constexpr int IDC_THUMB = 7271;
    // Label face and height in pixels.
    static constexpr int kLabelPixels = 12;

    explicit CViewThumb(QWidget* parent = nullptr);
    ~CViewThumb() override;

    CThumbCatalogue& Catalogue() { return m_catalogue; }
    void SetDBConnect(CDBManagerOper* db) { m_catalogue.SetDBConnect(db); }
    void SetSliderSize(int value);

    // Runs the first all-photos loading on a worker thread; `done` runs on this widget's thread
    // once it has finished. Input and item painting wait until then.
    void StartLoading(std::function<void()> done);
    bool IsLoading() const { return m_nHolds.load() > 0; }
    // Another worker (an import) takes the catalogue: painting shows only the background and
    // input waits until every hold is released.
    void HoldForWorker(bool hold);

    // Who carries out the context menu's commands (the frame, which owns the menu): `run` a
    // chosen command, `prepare` sets an entry's enabled and checked state before it shows.
    void SetCommandHandler(std::function<void(int)> run, std::function<void(int, QAction*)> prepare) {
        m_run = std::move(run);
        m_prepare = std::move(prepare);
    }
    // The context menu for the present selection (sub-menu 1 of menu 129 with a selection,
    // 2 without); null when the resources hold none.
    QMenu* BuildContextMenu(QWidget* parent);

    // The drag picture of the visible selected items: the union of their cells in pure green
    // (the transparent colour) with each thumbnail fitted into its cell; `hotspot` gets the
    // cursor's offset (scrolled coordinates) from the union's top-left corner. Null when no
    // visible item is selected.
    QImage BuildDragImage(QPoint cursor, QPoint* hotspot);
    // A drop target (the album strip) names the album under the cursor while this view drags.
    void SetDropAlbum(int album) { m_nDropAlbum = album; }
    int GetDropAlbum() const { return m_nDropAlbum; }
    // The drag ended: the selected items join the album last named (0: none).
    void FinishDrag();
    bool IsDragging() const { return m_bDragging; }
    // The drag picture's window while a drag runs (null otherwise).
    QWidget* DragImageWindow() const { return m_pDragImage; }
    // One step of a drag at a global point: the picture follows, the window under the cursor
    // is asked (message 3073) for its album, and the cursor shows whether a drop would take.
    // Returns the window asked (null over no window of this program).
    QWidget* DragOver(QPoint global);
    // The window of this program under a global point, a child when there is one; the drag
    // picture never counts.
    QWidget* WindowAt(QPoint global) const;
    // The window class of the album strip's items: the only windows that take a drop.
    static constexpr const char* kAlbumWindowClass = "album_list_class";

    // Picture files dropped from a file manager go to this handler (the frame's import).
    void SetFileDropHandler(std::function<void(const CStringList&)> handler);

    // Makes the item at a 0-based position the only selected and current one and brings it
    // into view (the default action of its accessible list item).
    void ActivateItem(int index);

    // The picture of one item's thumbnail at a level (loaded from the cache file when needed);
    // null image when there is none.
    static QImage LevelImage(vxImage* item, int level);
    // The same, kept between paints for the items on show: converted once, freed when its row
    // leaves the view, dropped when the level or the items change.
    QImage ShownImage(vxImage* item, int level);
    // How many converted pictures are kept (the items of the last paint).
    int KeptImageCount() const { return static_cast<int>(m_images.size()); }

    // CThumbHost; safe to call from the loading worker (the work is queued to this thread).
    void Repaint() override;
    void ScrollSizesChanged(int height, int pitch) override;
    void ScrollTo(int y) override;

    // Paints the visible part of the grid at scroll position `scrollPos` (the paint handler's
    // work, usable on any paint device).
    void PaintGrid(QPainter& painter, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The items as assistive technology sees them: none while loading.
    int AccessibleItemCount() override;
    bool AccessibleItemValid(int index) override;
    QString AccessibleItemName(int index) override;
    QRect AccessibleItemRect(int index) override;
    QAccessible::State AccessibleItemState(int index) override;
    int AccessibleItemAt(QPoint global) override;
    void AccessibleItemActivate(int index) override { ActivateItem(index); }
    bool OnGuiThread() const;
    void ApplyScrollRange();
    void BeginDrag(QPoint local);
    void EndDrag();
    // The local picture files of a drop; empty when it carries none.
    static CStringList DroppedFiles(const QMimeData* data);

    CThumbCatalogue m_catalogue;
    std::function<void(int)> m_run;
    std::function<void(int, QAction*)> m_prepare;
    int m_nTotalHeight = 0;
    int m_nPitch = 1;
    std::atomic<int> m_nHolds{0};
    int m_nPendingSlider = -1;
    int m_nDropAlbum = 0;
    QWidget* m_pDragImage = nullptr;
    // Converted thumbnails of the items of the last paint, by item; the key and the source
    // picture tell a kept image from one of an item that has since changed.
    struct KeptImage {
        CString key;
        const void* source = nullptr;
        QImage image;
        QImage drawn;  // stretched to its cell's picture rectangle
    };
    KeptImage* Kept(vxImage* item, int level);
    const QImage* DrawnImage(vxImage* item, int level, QSize size);
    std::unordered_map<const vxImage*, KeptImage> m_images;
    int m_nImagesLevel = -1;
    QPoint m_ptHotspot;
    std::function<void(const CStringList&)> m_onFilesDropped;
    std::atomic<bool> m_bWorkerDone{false};
    bool m_bClosing = false;
    bool m_bDragging = false;
    std::thread m_worker;
};
