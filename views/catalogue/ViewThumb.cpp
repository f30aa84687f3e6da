#include "views/catalogue/ViewThumb.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QFontMetrics>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <unordered_set>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QThread>

#include "imaging/extImage.h"
#include "platform/afx/WndMessage.h"
#include "platform/afx/afxmsg.h"
#include "platform/win/fileapi.h"
#include "platform/brelt/Brelt.h"
#include "views/catalogue/vxImage.h"

namespace {

QColor FromColorRef(COLORREF c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

void AddMenuItems(QMenu* menu, const std::vector<CBrelt::MenuItem>& items,
                  const std::function<void(int)>& run, const std::function<void(int, QAction*)>& prepare) {
    for (const auto& item : items) {
        if (item.separator) {
            menu->addSeparator();
        } else if (!item.children.empty()) {
            AddMenuItems(menu->addMenu(item.text), item.children, run, prepare);
        } else if (item.id > 0) {
            QAction* action = menu->addAction(item.text);
            action->setData(item.id);
            if (!item.shortcut.isEmpty()) action->setShortcut(QKeySequence(item.shortcut));
            action->setCheckable(item.radio);
            if (prepare) prepare(item.id, action);
            const int id = item.id;
            QObject::connect(action, &QAction::triggered, menu, [run, id] {
                if (run) run(id);
            });
        }
    }
}

QRect ToQRect(const CRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

CViewThumb::CViewThumb(QWidget* parent) : QAbstractScrollArea(parent) {
    CAccessibleItems::InstallAccessibility();
    setObjectName(QString::number(IDC_THUMB));
    setAccessibleName(QStringLiteral("썸네일 목록"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Always there, so that showing it never changes the columns.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAccessibleName(QStringLiteral("썸네일 목록"));
    verticalScrollBar()->setAccessibleName(QStringLiteral("세로 스크롤"));
    horizontalScrollBar()->setAccessibleName(QStringLiteral("가로 스크롤"));
    for (QWidget* part : findChildren<QWidget*>()) {
        if (part->accessibleName().isEmpty()) part->setAccessibleName(QStringLiteral("스크롤 영역"));
    }
    // Every pixel is painted by the paint handler: no erase before it.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    QFont font(QStringLiteral("굴림"));
    font.setPixelSize(kLabelPixels);
    setFont(font);
    m_catalogue.SetHost(this);
}

CViewThumb::~CViewThumb() {
    if (m_bDragging) {
        m_bDragging = false;
        delete m_pDragImage;
        m_pDragImage = nullptr;
        QGuiApplication::restoreOverrideCursor();
    }
    // A loading worker may be waiting for this thread to take one of its messages: keep
    // delivering them until it has finished, without running what it asks for afterwards.
    m_bClosing = true;
    while (m_worker.joinable() && !m_bWorkerDone.load()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
    if (m_worker.joinable()) m_worker.join();
    m_catalogue.SetHost(nullptr);
}

bool CViewThumb::OnGuiThread() const {
    return QThread::currentThread() == thread();
}

void CViewThumb::SetSliderSize(int value) {
    // A worker owns the grid meanwhile: the size waits until it lets go.
    if (IsLoading()) {
        m_nPendingSlider = value;
        return;
    }
    m_catalogue.SetSliderSize(value);
}

void CViewThumb::HoldForWorker(bool hold) {
    if (hold) {
        ++m_nHolds;
        viewport()->update();
        return;
    }
    if (m_nHolds.load() == 0 || --m_nHolds > 0) return;
    // The client size and a slider move that came meanwhile reach the grid now.
    m_catalogue.SetClientSize(viewport()->width(), viewport()->height());
    if (m_nPendingSlider >= 0) m_catalogue.SetSliderSize(m_nPendingSlider);
    m_nPendingSlider = -1;
    ApplyScrollRange();
    viewport()->update();
}

void CViewThumb::StartLoading(std::function<void()> done) {
    if (m_worker.joinable()) return;
    HoldForWorker(true);
    m_bWorkerDone = false;
    viewport()->update();
    m_worker = std::thread([this, done = std::move(done)] {
        m_catalogue.SetAlbum(catalogue::kAllPhotosAlbum, 1);
        m_bWorkerDone = true;
        QMetaObject::invokeMethod(
            this,
            [this, done] {
                if (m_bClosing) return;
                if (m_worker.joinable()) m_worker.join();
                HoldForWorker(false);
                if (done) done();
            },
            Qt::QueuedConnection);
    });
}

// ---- Host -----------------------------------------------------------------------------------

void CViewThumb::Repaint() {
    if (OnGuiThread()) {
        viewport()->update();
        // The selection or the current item may have changed.
        if (QAccessible::isActive()) {
            QAccessibleEvent event(this, QAccessible::SelectionWithin);
            QAccessible::updateAccessibility(&event);
        }
    } else {
        QMetaObject::invokeMethod(viewport(), qOverload<>(&QWidget::update), Qt::QueuedConnection);
    }
}

void CViewThumb::ScrollSizesChanged(int height, int pitch) {
    if (!OnGuiThread()) {
        QMetaObject::invokeMethod(
            this, [this, height, pitch] { ScrollSizesChanged(height, pitch); }, Qt::QueuedConnection);
        return;
    }
    // The items were laid out anew (another album, a sort, a deletion): no kept picture is
    // trusted to still belong to its item.
    m_images.clear();
    m_nTotalHeight = height;
    m_nPitch = pitch > 0 ? pitch : 1;
    ApplyScrollRange();
}

void CViewThumb::ScrollTo(int y) {
    if (!OnGuiThread()) {
        QMetaObject::invokeMethod(this, [this, y] { ScrollTo(y); }, Qt::QueuedConnection);
        return;
    }
    verticalScrollBar()->setValue(y);
    viewport()->update();
}

void CViewThumb::ApplyScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    const int client = viewport()->height();
    bar->setRange(0, std::max(0, m_nTotalHeight - client));
    bar->setSingleStep(m_nPitch);
    bar->setPageStep(std::max(m_nPitch, client));
}

// ---- Painting ------------------------------------------------------------------------------

QImage CViewThumb::LevelImage(vxImage* item, int level) {
    if (!item || level < 0 || level > 2) return {};
    if (!item->m_pThumb[level] && !item->load_thumb_num(level)) return {};
    const extImage* picture = item->m_pThumb[level];
    if (!picture || !picture->IsValid() || picture->GetBpp() != 24) return {};
    const int width = static_cast<int>(picture->GetWidth());
    const int height = static_cast<int>(picture->GetHeight());
    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull()) return {};
    // The library keeps rows bottom-up with blue first.
    for (int y = 0; y < height; ++y) {
        const BYTE* src = picture->GetBits(static_cast<DWORD>(height - 1 - y));
        uchar* dst = image.scanLine(y);
        if (!src) return {};
        for (int x = 0; x < width; ++x) {
            dst[x * 3] = src[x * 3 + 2];
            dst[x * 3 + 1] = src[x * 3 + 1];
            dst[x * 3 + 2] = src[x * 3];
        }
    }
    return image;
}

QImage CViewThumb::ShownImage(vxImage* item, int level) {
    const KeptImage* kept = Kept(item, level);
    return kept ? kept->image : QImage();
}

CViewThumb::KeptImage* CViewThumb::Kept(vxImage* item, int level) {
    if (!item) return nullptr;
    if (level != m_nImagesLevel) {
        m_images.clear();
        m_nImagesLevel = level;
    }
    auto found = m_images.find(item);
    if (found != m_images.end() && found->second.key == item->m_strCLSID &&
        (!item->m_pThumb[level] || found->second.source == item->m_pThumb[level]))
        return &found->second;
    KeptImage kept;
    kept.image = LevelImage(item, level);
    kept.key = item->m_strCLSID;
    kept.source = item->m_pThumb[level];
    return &m_images.insert_or_assign(item, std::move(kept)).first->second;
}

const QImage* CViewThumb::DrawnImage(vxImage* item, int level, QSize size) {
    KeptImage* kept = Kept(item, level);
    if (!kept || kept->image.isNull() || size.isEmpty()) return nullptr;
    // Stretched once to its rectangle in the screen's pixel format: later paints only copy it.
    if (kept->drawn.size() != size) {
        kept->drawn = kept->image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                          .convertToFormat(QImage::Format_RGB32);
    }
    return &kept->drawn;
}

void CViewThumb::PaintGrid(QPainter& painter, const QRect& area) {
    const COLORREF background = CGandry::GetColorBack();
    painter.fillRect(area.adjusted(0, -kLabelPixels, 0, kLabelPixels), FromColorRef(background));
    // The worker owns the items while it loads; thumbnails being made show only the background.
    if (IsLoading() || m_catalogue.IsBusy()) return;

    const int scrollPos = verticalScrollBar()->value();
    m_catalogue.UpdateVisibility(scrollPos);
    painter.save();
    painter.translate(0, -scrollPos);
    painter.setBrush(Qt::NoBrush);

    // The items of the visible rows: a paint never walks the whole album.
    int from = 0, to = 0;
    m_catalogue.VisibleRange(from, to);
    const std::vector<vxImage*> items(m_catalogue.GetVector().begin() + from, m_catalogue.GetVector().begin() + to);
    painter.setPen(QPen(FromColorRef(CThumbCatalogue::kCellFrameColour), 1));
    for (vxImage* item : items) {
        if (!item->m_bVisible) continue;
        painter.drawRect(ToQRect(item->m_rect).adjusted(0, 0, -1, -1));
    }

    const int level = m_catalogue.GetLevel();
    const QPen selectPen(FromColorRef(CThumbCatalogue::kSelectColour), 3);
    const QColor text = FromColorRef(CThumbCatalogue::GetTextColour(background));
    const QFontMetrics metrics(font());
    painter.setFont(font());
    std::unordered_set<const vxImage*> shown;
    for (vxImage* item : items) {
        if (!item->m_bVisible) continue;
        const QRect cell = ToQRect(item->m_rect);
        if (item->m_bSelected) {
            painter.setPen(selectPen);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
        shown.insert(item);
        const KeptImage* kept = Kept(item, level);
        if (kept && !kept->image.isNull()) {
            const QRect target =
                ToQRect(CThumbCatalogue::CalcDrawRect(item->m_rect, kept->image.width(), kept->image.height()));
            if (const QImage* drawn = DrawnImage(item, level, target.size())) painter.drawImage(target.topLeft(), *drawn);
        }
        const QRect labelRect = ToQRect(m_catalogue.GetLabelRect(item));
        const QString label = metrics.elidedText(QString::fromStdString(m_catalogue.GetLabel(item)), Qt::ElideRight,
                                                 labelRect.width());
        painter.setPen(text);
        painter.drawText(labelRect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                         label);
    }
    painter.restore();
    // Only the pictures of the items on show are kept: those of rows that left the view go.
    std::erase_if(m_images, [&](const auto& entry) { return !shown.count(entry.first); });
    m_catalogue.ReleaseScrolledOut();
}

void CViewThumb::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    PaintGrid(painter, event->rect());
}

void CViewThumb::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (!IsLoading()) m_catalogue.SetClientSize(viewport()->width(), viewport()->height());
    ApplyScrollRange();
}

void CViewThumb::scrollContentsBy(int, int) {
    // The grid learns the position at once, so a click before the next paint hits by it, and
    // the row that left the view is freed while the direction is known.
    if (!IsLoading()) {
        m_catalogue.UpdateVisibility(verticalScrollBar()->value());
        m_catalogue.ReleaseScrolledOut();
    }
    viewport()->update();
}

// ---- Input ---------------------------------------------------------------------------------

void CViewThumb::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (IsLoading() || event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    m_catalogue.OnLButtonDown(CPoint(p.x(), p.y()), event->modifiers() & Qt::ControlModifier,
                              event->modifiers() & Qt::ShiftModifier);
}

void CViewThumb::mouseMoveEvent(QMouseEvent* event) {
    if (m_bDragging) {
        DragOver(event->globalPosition().toPoint());
        return;
    }
    if (IsLoading()) return;
    const QPoint p = event->position().toPoint();
    if (!m_catalogue.OnMouseMove(CPoint(p.x(), p.y()))) return;
    BeginDrag(p);
    DragOver(event->globalPosition().toPoint());
}

// ---- Dragging onto an album ------------------------------------------------------------------

void CViewThumb::BeginDrag(QPoint local) {
    // The picture is made of the items in view at this scroll position.
    m_catalogue.UpdateVisibility(verticalScrollBar()->value());
    QPoint hotspot;
    const QImage picture = BuildDragImage(QPoint(local.x(), local.y() + verticalScrollBar()->value()), &hotspot);
    m_nDropAlbum = 0;
    m_bDragging = true;
    // The picture floats over the desktop in a window of its own that never takes input; the
    // green around and between the thumbnails is cut away.
    if (!picture.isNull()) {
        auto* image = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                                              Qt::WindowDoesNotAcceptFocus);
        image->setAttribute(Qt::WA_TransparentForMouseEvents);
        image->setAttribute(Qt::WA_ShowWithoutActivating);
        image->setAccessibleName(QStringLiteral("끌어놓기 그림"));
        const QPixmap pixmap = QPixmap::fromImage(picture);
        image->setPixmap(pixmap);
        image->resize(pixmap.size());
        image->setMask(pixmap.createMaskFromColor(QColor(0, 255, 0), Qt::MaskInColor));
        m_pDragImage = image;
        m_ptHotspot = hotspot;
        image->move(viewport()->mapToGlobal(local) - hotspot);
        image->show();
    }
    viewport()->grabMouse();
    QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
}

QWidget* CViewThumb::WindowAt(QPoint global) const {
    std::vector<QWidget*> windows{window()};
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != window()) windows.push_back(top);
    }
    for (QWidget* top : windows) {
        if (top == m_pDragImage || !top->isVisible() || top->isMinimized() || top->windowType() == Qt::ToolTip)
            continue;
        if (!top->geometry().contains(global)) continue;
        QWidget* child = top->childAt(top->mapFromGlobal(global));
        return child ? child : top;
    }
    return nullptr;
}

QWidget* CViewThumb::DragOver(QPoint global) {
    if (m_pDragImage) m_pDragImage->move(global - m_ptHotspot);
    QWidget* under = WindowAt(global);
    SendWindowMessage(under, WM_DROP_ALBUM, reinterpret_cast<WPARAM>(&m_nDropAlbum));
    Qt::CursorShape shape = Qt::ForbiddenCursor;
    if (under && under->objectName() == QLatin1String(kAlbumWindowClass)) {
        if (m_nDropAlbum != catalogue::kAllPhotosAlbum) shape = Qt::ArrowCursor;
    } else {
        m_nDropAlbum = 0;
    }
    QGuiApplication::changeOverrideCursor(QCursor(shape));
    return under;
}

void CViewThumb::EndDrag() {
    if (!m_bDragging) return;
    m_bDragging = false;
    delete m_pDragImage;
    m_pDragImage = nullptr;
    viewport()->releaseMouse();
    QGuiApplication::restoreOverrideCursor();
    FinishDrag();
}

QImage CViewThumb::BuildDragImage(QPoint cursor, QPoint* hotspot) {
    QRect bounds;
    std::vector<vxImage*> items;
    for (vxImage* item : m_catalogue.GetList()) {
        if (!item->m_bVisible || !item->m_bSelected) continue;
        items.push_back(item);
        bounds |= ToQRect(item->m_rect);
    }
    if (items.empty() || bounds.isEmpty()) return {};
    QImage image(bounds.size(), QImage::Format_RGB32);
    image.fill(QColor(0, 255, 0));
    QPainter painter(&image);
    painter.translate(-bounds.topLeft());
    for (vxImage* item : items) {
        const QImage picture = ShownImage(item, m_catalogue.GetLevel());
        if (picture.isNull()) continue;
        painter.drawImage(
            ToQRect(CThumbCatalogue::CalcDrawRect(item->m_rect, picture.width(), picture.height())), picture);
    }
    if (hotspot) *hotspot = cursor - bounds.topLeft();
    return image;
}

void CViewThumb::FinishDrag() {
    const int album = m_nDropAlbum;
    m_nDropAlbum = 0;
    m_catalogue.OnDrop(album);
}

void CViewThumb::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (m_bDragging) {
        EndDrag();
        return;
    }
    if (IsLoading()) return;
    m_catalogue.OnLButtonUp();
}

void CViewThumb::mouseDoubleClickEvent(QMouseEvent* event) {
    if (IsLoading() || event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    m_catalogue.OnLButtonDblClk(CPoint(p.x(), p.y()));
}

void CViewThumb::keyPressEvent(QKeyEvent* event) {
    UINT key = 0;
    switch (event->key()) {
        case Qt::Key_Left:
            key = CThumbCatalogue::kKeyLeft;
            break;
        case Qt::Key_Right:
            key = CThumbCatalogue::kKeyRight;
            break;
        case Qt::Key_Up:
            key = CThumbCatalogue::kKeyUp;
            break;
        case Qt::Key_Down:
            key = CThumbCatalogue::kKeyDown;
            break;
        case Qt::Key_Delete:
            key = CThumbCatalogue::kKeyDelete;
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    if (!IsLoading()) m_catalogue.OnKeyDown(key);
    event->accept();
}

QMenu* CViewThumb::BuildContextMenu(QWidget* parent) {
    const std::vector<CBrelt::MenuItem> menus = CBrelt::Menu(129);
    const std::size_t which = m_catalogue.get_count_selected() > 0 ? 1 : 2;
    if (menus.size() <= which || menus[which].children.empty()) return nullptr;
    auto* menu = new QMenu(parent);
    menu->setAccessibleName(menus[which].text);
    AddMenuItems(menu, menus[which].children, m_run, m_prepare);
    return menu;
}

void CViewThumb::contextMenuEvent(QContextMenuEvent* event) {
    if (IsLoading()) return;
    QMenu* menu = BuildContextMenu(this);
    if (!menu) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// ---- Files dropped from a file manager ----------------------------------------------------------

void CViewThumb::SetFileDropHandler(std::function<void(const CStringList&)> handler) {
    m_onFilesDropped = std::move(handler);
    setAcceptDrops(m_onFilesDropped != nullptr);
    viewport()->setAcceptDrops(m_onFilesDropped != nullptr);
}

CStringList CViewThumb::DroppedFiles(const QMimeData* data) {
    CStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const std::string path = url.toLocalFile().toStdString();
        // Folders are not opened: only the files themselves, as the open-file dialog gives them.
        if (win::FileExists(path)) files.push_back(path);
    }
    return files;
}

void CViewThumb::dragEnterEvent(QDragEnterEvent* event) {
    if (m_onFilesDropped && !IsLoading() && !DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CViewThumb::dragMoveEvent(QDragMoveEvent* event) {
    if (m_onFilesDropped && !IsLoading())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CViewThumb::dropEvent(QDropEvent* event) {
    const CStringList files = DroppedFiles(event->mimeData());
    if (!m_onFilesDropped || IsLoading() || files.empty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The import may ask questions: the file manager's drop is answered first.
    QTimer::singleShot(0, this, [this, files] {
        if (m_onFilesDropped && !IsLoading()) m_onFilesDropped(files);
    });
}
