#include "app/TopListAlbum.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "platform/afx/WndMessage.h"
#include "platform/afx/afxmsg.h"
#include "platform/brelt/Brelt.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/NameRules.h"
#include "views/catalogue/ViewThumb.h"
#include "views/controls/EditNumeric.h"

namespace {

QSize ItemSizeOf(const QImage& strip) {
    if (strip.isNull()) return QSize(72, 48);
    return QSize(strip.width() / CWndAlbum::kStates, strip.height());
}

// An album: a list item named by the album, selectable, selected as on the strip.
class AlbumAccessible : public QAccessibleWidget {
public:
    explicit AlbumAccessible(CWndAlbum* item) : QAccessibleWidget(item, QAccessible::ListItem) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        return QString::fromStdString(Item()->Strip()->Strip().At(Item()->Index()).name);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.selected = Item()->Strip()->Strip().At(Item()->Index()).selected;
        return s;
    }

private:
    CWndAlbum* Item() const { return static_cast<CWndAlbum*>(widget()); }
};

QAccessibleInterface* AlbumFactory(const QString&, QObject* object) {
    if (auto* item = dynamic_cast<CWndAlbum*>(object)) return new AlbumAccessible(item);
    if (auto* strip = dynamic_cast<CTopListAlbum*>(object)) return new QAccessibleWidget(strip, QAccessible::List);
    return nullptr;
}

}  // namespace

// ---- CWndAlbum -------------------------------------------------------------------------------

CWndAlbum::CWndAlbum(CTopListAlbum* strip, int index) : QWidget(strip), m_strip(strip), m_index(index) {
    setObjectName(QLatin1String(CViewThumb::kAlbumWindowClass));
    setCursor(Qt::ArrowCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    setToolTip(QString::fromStdString(m_strip->Strip().At(index).name));
}

int CWndAlbum::AlbumId() const {
    return m_strip->Strip().At(m_index).id;
}

void CWndAlbum::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const CAlbumStrip::Item& item = m_strip->Strip().At(m_index);
    const QImage image = m_strip->ItemBitmap(item.id);
    if (!image.isNull()) {
        const int cellW = image.width() / kStates;
        const int state = item.selected ? CAlbumStrip::Pressed : item.state;
        p.drawImage(QPoint((width() - cellW) / 2, 0), image, QRect(state * cellW, 0, cellW, image.height()));
    }
    p.setFont(m_strip->TextFont());
    const QRect text(0, kNameTop, width(), height() - kNameTop);
    const QString name = QFontMetrics(p.font()).elidedText(QString::fromStdString(item.name), Qt::ElideRight, width());
    p.setPen(Qt::black);
    p.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, name);
}

void CWndAlbum::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        m_strip->ItemRightClicked(m_index, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    m_captured = true;
    setFocus(Qt::MouseFocusReason);
    m_strip->ItemPressed(m_index);
}

void CWndAlbum::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_captured) return;
    m_captured = false;
    m_strip->ItemReleased(m_index, event->modifiers());
}

void CWndAlbum::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || AlbumId() == catalogue::kAllPhotosAlbum) return;
    OpenEditor(m_strip->Strip().At(m_index).name);
}

void CWndAlbum::OpenEditor(const CString& text) {
    if (m_edit) return;
    m_edit = new CEditNumeric(this);
    m_edit->setGeometry(0, kEditTop, width(), height() - kEditTop);
    m_edit->SetLimitText(catalogue::kMaxNameChars);
    m_edit->setText(QString::fromStdString(text));
    // Enter and Escape both hand the text back (the focus returning to the item does it; the
    // direct call covers a window that is not active and gets no focus change).
    m_edit->SetOnEnter([this] {
        setFocus(Qt::OtherFocusReason);
        HandBack();
    });
    m_edit->SetOnEscape([this] {
        setFocus(Qt::OtherFocusReason);
        HandBack();
    });
    m_edit->SetOnKillFocus([this] { HandBack(); });
    m_edit->show();
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
}

void CWndAlbum::HandBack() {
    if (!m_edit) return;
    CEditNumeric* edit = m_edit;
    m_edit = nullptr;
    const CString text = edit->text().toStdString();
    edit->hide();
    edit->deleteLater();
    m_strip->ItemRenamed(this, text);
}

bool CWndAlbum::event(QEvent* event) {
    if (event->type() == CWndMessageEvent::EventType()) {
        auto* message = static_cast<CWndMessageEvent*>(event);
        if (message->message != WM_DROP_ALBUM) return false;
        // A drag of the browser asks which album lies under the cursor.
        if (message->wParam) *reinterpret_cast<int*>(message->wParam) = AlbumId();
        message->result = 1;
        message->accept();
        return true;
    }
    return QWidget::event(event);
}

void CWndAlbum::enterEvent(QEnterEvent*) {
    m_strip->ItemHovered(m_index, true);
}

void CWndAlbum::leaveEvent(QEvent*) {
    m_strip->ItemHovered(m_index, false);
}

// ---- CTopListAlbum ---------------------------------------------------------------------------

CTopListAlbum::CTopListAlbum(QWidget* parent)
    : QWidget(parent),
      m_strip(ItemSizeOf(CBrelt::Bitmap(CWndAlbum::kItemBitmap))),
      m_itemImage(CBrelt::Bitmap(CWndAlbum::kItemBitmap)),
      m_allImage(CBrelt::Bitmap(CWndAlbum::kAllPhotosBitmap)) {
    static const bool installed = [] {
        QAccessible::installFactory(AlbumFactory);
        return true;
    }();
    (void)installed;
    setAccessibleName(QStringLiteral("앨범"));
    setObjectName(QStringLiteral("CTopListAlbum"));
    m_font.setFamilies({QStringLiteral("굴림"), QStringLiteral("Gulim")});
    m_font.setPixelSize(11);
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setPageStep(1);
    m_scroll->setSingleStep(1);
    // A flat bar: grey track, rounded thumb, small arrow boxes at both ends.
    m_scroll->setStyleSheet(QStringLiteral(
        "QScrollBar:horizontal { border: none; background: #f0f0f0; height: 12px; margin: 0 12px 0 12px; }"
        "QScrollBar::handle:horizontal { background: #c4c4c4; min-width: 20px; border-radius: 3px; margin: 2px 0; }"
        "QScrollBar::handle:horizontal:hover { background: #a8a8a8; }"
        "QScrollBar::add-line:horizontal { border: none; background: #e4e4e4; width: 12px;"
        " subcontrol-position: right; subcontrol-origin: margin; }"
        "QScrollBar::sub-line:horizontal { border: none; background: #e4e4e4; width: 12px;"
        " subcontrol-position: left; subcontrol-origin: margin; }"
        "QScrollBar::left-arrow:horizontal { width: 0; height: 0; border-top: 3px solid transparent;"
        " border-bottom: 3px solid transparent; border-right: 4px solid #606060; }"
        "QScrollBar::right-arrow:horizontal { width: 0; height: 0; border-top: 3px solid transparent;"
        " border-bottom: 3px solid transparent; border-left: 4px solid #606060; }"
        "QScrollBar::add-page:horizontal, QScrollBar::sub-page:horizontal { background: none; }"));
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_rebuilding) return;
        if (m_strip.SetScrollPos(value, width())) Relayout();
    });
    m_strip.SetOnItemsChanged([this] { Rebuild(); });
    Rebuild();
}

bool CTopListAlbum::QueryDropAlbum(QWidget* under, int* dropAlbum) {
    SendWindowMessage(under, WM_DROP_ALBUM, reinterpret_cast<WPARAM>(dropAlbum));
    return under && under->objectName() == QLatin1String(CViewThumb::kAlbumWindowClass);
}

void CTopListAlbum::SetBrowser(CThumbCatalogue* catalogue) {
    m_strip.SetCatalogue(catalogue);
}

QImage CTopListAlbum::ItemBitmap(int id) const {
    return id == catalogue::kAllPhotosAlbum ? m_allImage : m_itemImage;
}

bool CTopListAlbum::NeedsScroll() const {
    return m_strip.Scrolls(width());
}

CWndAlbum* CTopListAlbum::ItemWindow(int id) const {
    const int k = m_strip.IndexOf(id);
    return k < 0 || k >= static_cast<int>(m_windows.size()) ? nullptr : m_windows[static_cast<size_t>(k)];
}

void CTopListAlbum::Rebuild() {
    // Items come and go rarely (adding, deleting, a new catalogue): one window per item, made
    // anew, keeps the windows' indices equal to the strip's.
    for (CWndAlbum* w : m_windows) {
        w->hide();
        w->deleteLater();
    }
    m_windows.clear();
    for (int k = 0; k < m_strip.Count(); ++k) {
        auto* w = new CWndAlbum(this, k);
        w->show();
        m_windows.push_back(w);
    }
    Relayout();
}

void CTopListAlbum::Relayout() {
    m_strip.ClampScroll(width());
    for (int k = 0; k < static_cast<int>(m_windows.size()); ++k)
        m_windows[static_cast<size_t>(k)]->setGeometry(m_strip.ItemRect(k));
    const bool need = NeedsScroll();
    m_rebuilding = true;
    m_scroll->setRange(0, m_strip.ScrollMax(width()));
    m_scroll->setValue(m_strip.ScrollPos());
    m_rebuilding = false;
    m_scroll->setGeometry(0, height() - kScrollHeight, width(), kScrollHeight);
    m_scroll->setVisible(need);
    m_scroll->raise();
    if (need != m_lastNeed) {
        m_lastNeed = need;
        if (m_onScrollNeed) m_onScrollNeed(need);
    }
    Refresh();
}

void CTopListAlbum::Refresh() {
    for (CWndAlbum* w : m_windows) w->update();
}

void CTopListAlbum::ItemPressed(int index) {
    m_strip.Press(index);
    Refresh();
}

void CTopListAlbum::ItemReleased(int index, Qt::KeyboardModifiers modifiers) {
    m_strip.Release(index, modifiers & Qt::ControlModifier, modifiers & Qt::ShiftModifier);
    Refresh();
}

void CTopListAlbum::ItemHovered(int index, bool inside) {
    m_strip.Hover(index, inside);
    Refresh();
}

void CTopListAlbum::ItemRightClicked(int index, QPoint globalPos) {
    const bool menu = m_strip.RightClick(index);
    Refresh();
    if (!menu) return;
    const std::vector<CBrelt::MenuItem> popups = CBrelt::Menu(kContextMenu);
    if (popups.empty()) return;
    auto* popup = new QMenu(this);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    for (const CBrelt::MenuItem& item : popups.front().children) {
        if (item.separator) {
            popup->addSeparator();
        } else if (item.id > 0) {
            const int id = item.id;
            popup->addAction(item.text, this, [this, id] {
                if (m_onCommand) m_onCommand(id);
            });
        }
    }
    popup->popup(globalPos);
}

void CTopListAlbum::ItemRenamed(CWndAlbum* item, const CString& text) {
    // An item of a strip rebuilt meanwhile hands back into nothing.
    if (std::find(m_windows.begin(), m_windows.end(), item) == m_windows.end()) return;
    const int k = item->Index();
    const CString old = m_strip.At(k).name;
    switch (m_strip.Rename(k, text)) {
    case CAlbumStrip::RenameResult::Renamed:
        item->setToolTip(QString::fromStdString(text));
        item->update();
        break;
    case CAlbumStrip::RenameResult::Refused:
        // Reopened once the old box has gone, so a focus change cannot hand it back twice.
        QTimer::singleShot(0, item, [item, old] { item->OpenEditor(old); });
        break;
    case CAlbumStrip::RenameResult::Ignored:
        break;
    }
}

void CTopListAlbum::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::white);
}

void CTopListAlbum::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}
