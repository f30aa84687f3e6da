#include "views/slides/ViewSlider.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

#include "platform/brelt/Brelt.h"
#include "views/slides/SlidePicture.h"

namespace {

constexpr QRgb kStripBack = 0xEDEDED;
constexpr int kStripHeight = 110;

QRect ToQRect(const CRect& r) {
    return QRect(static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.Width()),
                 static_cast<int>(r.Height()));
}

CPoint ToCPoint(QPoint p) {
    return CPoint(p.x(), p.y());
}

}  // namespace

CViewSlider::CViewSlider(QWidget* parent) : QWidget(parent) {
    CAccessibleItems::InstallAccessibility();
    setObjectName(QString::number(IDC_SLIDES));
    setAccessibleName(QStringLiteral("슬라이드 목록"));
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_left = CBrelt::Bitmap(CSlideStrip::IDB_STRIP_LEFT);
    m_middle = CBrelt::Bitmap(CSlideStrip::IDB_STRIP_MIDDLE);
    m_right = CBrelt::Bitmap(CSlideStrip::IDB_STRIP_RIGHT);
    m_box = CBrelt::Bitmap(CSlideStrip::IDB_SLIDE_BOX);
    m_button = CBrelt::Bitmap(CSlideStrip::IDB_DELAY_BUTTON);
    // The box bitmap holds the normal and the selected look side by side.
    if (!m_box.isNull() && m_box.width() >= 2) m_strip.SetSlideBmpSize(CSize(m_box.width() / 2, m_box.height()));
    // Slide delays are short; a coarse timer would drift by several milliseconds a slide.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnTimer(); });
    m_runMenu = [](QMenu* menu, QPoint globalPos) {
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(globalPos);
    };
}

CViewSlider::~CViewSlider() = default;

QRect CViewSlider::AccessibleItemRect(int index) {
    const QRect box = ToQRect(m_strip.GetVisibleBoxRect(index));
    return QRect(mapToGlobal(box.topLeft()), box.size());
}

QAccessible::State CViewSlider::AccessibleItemState(int index) {
    QAccessible::State s;
    s.selectable = true;
    s.selected = GetSelectedIndex() == index;
    s.offscreen = !rect().intersects(ToQRect(m_strip.GetVisibleBoxRect(index)));
    return s;
}

int CViewSlider::AccessibleItemAt(QPoint global) {
    return m_strip.HitTest(ToCPoint(mapFromGlobal(global)));
}

QSize CViewSlider::sizeHint() const {
    return QSize(m_strip.GetTotalWidth(), kStripHeight);
}

// --- operations ------------------------------------------------------------------------------------

void CViewSlider::SetCropImage(extImage* image) {
    m_strip.SetCropImage(image);
    Changed();
}

bool CViewSlider::LoadEBA(const char* path) {
    const bool loaded = m_strip.LoadEBA(path);
    SyncTimer();
    Changed();
    return loaded;
}

bool CViewSlider::LoadGIF(const char* path) {
    const bool loaded = m_strip.LoadGIF(path);
    SyncTimer();
    Changed();
    return loaded;
}

bool CViewSlider::SaveEBA(const char* path) {
    return m_strip.SaveEBA(path);
}

bool CViewSlider::SaveGIF(const char* path) {
    return m_strip.SaveGIF(path);
}

void CViewSlider::ExportFile(CString folder, int unique, int useName, CString name, int& copied) {
    m_strip.ExportFile(std::move(folder), unique, useName, std::move(name), copied);
}

void CViewSlider::Play() {
    // A new start counts from now.
    m_timer.stop();
    m_strip.Play();
    SyncTimer();
    update();
}

void CViewSlider::Stop() {
    const int previous = m_strip.GetSelectedIndex();
    m_strip.Stop();
    SyncTimer();
    update();
    NotifySelection(previous);
}

void CViewSlider::SetSliderFrame(extImage* frame) {
    m_strip.SetSliderFrame(frame);
    Changed();
}

void CViewSlider::OnSlideAllDelete2(CSize size) {
    m_strip.OnSlideAllDelete2(size);
    SyncTimer();
    Changed();
}

void CViewSlider::SetPosHor(int pos) {
    m_strip.SetPosHor(pos);
    update();
}

bool CViewSlider::OnCommand(UINT id) {
    const bool handled = m_strip.OnCommand(id);
    if (handled) {
        SyncTimer();
        Changed();
    }
    return handled;
}

void CViewSlider::OnTimer() {
    const int previous = m_strip.GetSelectedIndex();
    m_strip.OnTimer();
    // The receivers of the tick's messages may have stopped the slides.
    if (m_strip.IsPlaying())
        ArmNext();
    else
        m_timer.stop();
    update();
    NotifySelection(previous);
}

void CViewSlider::ArmNext() {
    // A zero delay would make the timer fire without pause.
    m_nInterval = std::max(1, m_strip.GetTimerInterval());
    m_nDue += m_nInterval;
    // After a stall the next slide comes at once, never in a burst of catching up.
    const qint64 now = m_clock.elapsed();
    if (m_nDue < now) m_nDue = now;
    m_timer.start(static_cast<int>(m_nDue - now));
}

void CViewSlider::SyncTimer() {
    if (!m_strip.IsPlaying()) {
        m_timer.stop();
        return;
    }
    if (m_timer.isActive()) return;
    m_clock.start();
    m_nDue = 0;
    ArmNext();
}

void CViewSlider::Changed() {
    m_pictures.clear();
    m_overlays.clear();
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent names(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&names);
        QAccessibleEvent selection(this, QAccessible::SelectionWithin);
        QAccessible::updateAccessibility(&selection);
    }
}

void CViewSlider::NotifySelection(int previous) {
    if (previous == m_strip.GetSelectedIndex() || !QAccessible::isActive()) return;
    QAccessibleEvent selection(this, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&selection);
}

QString CViewSlider::BoxName(int index) const {
    CSlideStrip& strip = const_cast<CSlideStrip&>(m_strip);
    const CSlider* box = strip.GetPtrSlider(index);
    if (!box) return {};
    if (!box->IsFilled()) return QStringLiteral("슬라이드 %1 (비어 있음)").arg(index + 1);
    return QStringLiteral("슬라이드 %1 (%2)").arg(index + 1).arg(QString::fromStdString(box->GetDelayText()));
}

void CViewSlider::ActivateBox(int index) {
    if (index < 0 || index >= CSlideStrip::kSlideCount) return;
    // The middle of the picture area: a click there selects without opening the delay menu.
    const CRect area = m_strip.GetPtrSlider(index)->GetRectPicture();
    const CPoint point((area.left + area.right) / 2 - m_strip.GetPosHor(), (area.top + area.bottom) / 2);
    const int previous = m_strip.GetSelectedIndex();
    m_strip.OnLButtonDown(point);
    update();
    NotifySelection(previous);
}

// --- menus -----------------------------------------------------------------------------------------

QMenu* CViewSlider::BuildDelayMenu(QWidget* parent) {
    const std::vector<CBrelt::MenuItem> menus = CBrelt::Menu(CSlideStrip::IDR_MENU);
    if (menus.size() <= static_cast<std::size_t>(CSlideStrip::kDelaySubMenu)) return nullptr;
    const CBrelt::MenuItem& source = menus[CSlideStrip::kDelaySubMenu];
    auto* menu = new QMenu(parent);
    menu->setAccessibleName(source.text);
    const int current = m_strip.GetDelay(m_strip.GetSelectedIndex());
    for (const CBrelt::MenuItem& item : source.children) {
        if (item.separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(item.text);
        action->setData(item.id);
        // The delay in force is shown checked.
        action->setCheckable(true);
        action->setChecked(CSlideStrip::DelayForCommand(static_cast<UINT>(item.id)) == current);
        const UINT id = static_cast<UINT>(item.id);
        QObject::connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    return menu;
}

QMenu* CViewSlider::BuildContextMenu(const CSlideStrip::ContextMenu& state, QWidget* parent) {
    const std::vector<CBrelt::MenuItem> menus = CBrelt::Menu(CSlideStrip::IDR_MENU);
    if (menus.size() <= static_cast<std::size_t>(CSlideStrip::kContextSubMenu)) return nullptr;
    const CBrelt::MenuItem& source = menus[CSlideStrip::kContextSubMenu];
    auto* menu = new QMenu(parent);
    menu->setAccessibleName(source.text);
    const bool filled = state.enableCopy;
    auto addCommand = [this](QMenu* to, const QString& text, UINT id, bool enabled) {
        QAction* action = to->addAction(text);
        action->setData(static_cast<int>(id));
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        return action;
    };
    for (std::size_t position = 0; position < source.children.size(); ++position) {
        const CBrelt::MenuItem& item = source.children[position];
        if (item.separator) {
            menu->addSeparator();
            continue;
        }
        switch (position) {
            case 0:
                addCommand(menu, item.text, CSlideStrip::ID_SLIDE_COPY, state.enableCopy);
                break;
            case 1:
                addCommand(menu, item.text, CSlideStrip::ID_SLIDE_PASTE, state.enablePaste);
                break;
            case 3:
                addCommand(menu, item.text, CSlideStrip::ID_SLIDE_DELETE, state.enableDelete);
                break;
            case 4:
                addCommand(menu, item.text, CSlideStrip::ID_SLIDE_DELETE_ALL, state.enableDeleteAll);
                break;
            case 6: {
                QMenu* move = menu->addMenu(QStringLiteral("프레임 이동"));
                move->setAccessibleName(QStringLiteral("프레임 이동"));
                for (UINT id : state.moveCommands) {
                    addCommand(move, QString::number(id - CSlideStrip::ID_SLIDE_MOVE_FIRST + 1), id, true);
                }
                move->setEnabled(state.hasMoveMenu && !state.moveCommands.empty());
                break;
            }
            default:
                // Items the strip does not set keep their command; they act on a filled box.
                if (item.id > 0) addCommand(menu, item.text, static_cast<UINT>(item.id), filled);
                break;
        }
    }
    return menu;
}

void CViewSlider::RunMenu(QMenu* menu, QPoint globalPos) {
    if (!menu) return;
    if (m_runMenu) m_runMenu(menu, globalPos);
}

// --- input -----------------------------------------------------------------------------------------

void CViewSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int previous = m_strip.GetSelectedIndex();
    const CSlideStrip::ClickResult result = m_strip.OnLButtonDown(ToCPoint(event->position().toPoint()));
    update();
    NotifySelection(previous);
    if (result == CSlideStrip::ClickResult::DelayMenu) RunMenu(BuildDelayMenu(this), event->globalPosition().toPoint());
}

void CViewSlider::contextMenuEvent(QContextMenuEvent* event) {
    QPoint local = event->pos();
    if (event->reason() != QContextMenuEvent::Mouse) {
        // From the keyboard the menu belongs to the current box.
        const QRect box = ToQRect(m_strip.GetVisibleBoxRect(m_strip.GetSelectedIndex()));
        local = box.center();
    }
    const CSlideStrip::ContextMenu state = m_strip.GetContextMenu(ToCPoint(local));
    if (state.refused || state.box < 0) return;
    RunMenu(BuildContextMenu(state, this), mapToGlobal(local));
}

void CViewSlider::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    UINT key = 0;
    switch (event->key()) {
        case Qt::Key_C:
            key = 'C';
            break;
        case Qt::Key_V:
            key = 'V';
            break;
        case Qt::Key_Delete:
            key = CSlideStrip::VK_DELETE_KEY;
            break;
        default:
            break;
    }
    if (key && m_strip.OnKeyDown(key, ctrl)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CViewSlider::event(QEvent* event) {
    // The strip's keys reach it before the frame's shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
        if ((ctrl && (key->key() == Qt::Key_C || key->key() == Qt::Key_V)) || key->key() == Qt::Key_Delete) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void CViewSlider::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_strip.OnSetFocus();
}

// --- painting --------------------------------------------------------------------------------------

const QImage& CViewSlider::CachedPicture(const extImage* picture) {
    auto it = m_pictures.find(picture);
    if (it == m_pictures.end()) it = m_pictures.emplace(picture, SlidePicture::ToImage(picture)).first;
    return it->second;
}

const QImage& CViewSlider::CachedOverlay(const extImage* frame) {
    auto it = m_overlays.find(frame);
    if (it == m_overlays.end()) it = m_overlays.emplace(frame, SlidePicture::ToOverlay(frame)).first;
    return it->second;
}

void CViewSlider::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The strip: the middle stretched between its two ends, over the whole width.
    if (m_left.isNull() || m_middle.isNull() || m_right.isNull()) {
        painter.fillRect(rect(), QColor::fromRgb(kStripBack));
    } else {
        painter.fillRect(rect(), QColor::fromRgb(kStripBack));
        const int h = m_middle.height();
        const int middleWidth = std::max(0, width() - m_left.width() - m_right.width());
        painter.drawImage(QRect(m_left.width(), 0, middleWidth, h), m_middle);
        painter.drawImage(0, 0, m_left);
        painter.drawImage(width() - m_right.width(), 0, m_right);
    }
    for (int i = 0; i < CSlideStrip::kSlideCount; ++i) {
        if (ToQRect(m_strip.GetVisibleBoxRect(i)).intersects(event->rect())) PaintBox(painter, i);
    }
}

void CViewSlider::PaintBox(QPainter& painter, int index) {
    const CSlider& box = *m_strip.GetPtrSlider(index);
    const int shift = -m_strip.GetPosHor();
    const QRect total = ToQRect(box.GetRectTotal()).translated(shift, 0);
    if (!m_box.isNull()) {
        const int w = m_box.width() / 2;
        painter.drawImage(total.topLeft(), m_box, QRect(box.IsSelected() ? w : 0, 0, w, m_box.height()));
    } else {
        painter.setPen(QColor(0x9D, 0x9D, 0x9D));
        painter.setBrush(box.IsSelected() ? QColor(0xFF, 0xCC, 0x66) : QColor(0xFF, 0xFF, 0xFF));
        painter.drawRoundedRect(total.adjusted(0, 0, -1, -1), 4, 4);
    }
    const QRect button = ToQRect(box.GetRectDelayButton()).translated(shift, 0);
    if (!m_button.isNull()) {
        painter.drawImage(button.topLeft(), m_button);
    } else {
        painter.setPen(QColor(0x60, 0x60, 0x60));
        painter.setBrush(QColor(0x60, 0x60, 0x60));
        const QPoint c = button.center();
        painter.drawPolygon(QPolygon({QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 3, c.y() - 1), QPoint(c.x(), c.y() + 2)}));
    }
    if (!box.IsFilled()) return;
    painter.fillRect(ToQRect(box.GetRectPicture()).translated(shift, 0), Qt::white);
    const QRect target = ToQRect(box.GetPictureDrawRect()).translated(shift, 0);
    const QImage& picture = CachedPicture(box.GetImage());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (!picture.isNull() && !target.isEmpty()) painter.drawImage(target, picture);
    if (box.GetPtrFrameImage()) {
        const QImage& overlay = CachedOverlay(box.GetPtrFrameImage());
        if (!overlay.isNull() && !target.isEmpty()) painter.drawImage(target, overlay);
    }
    QFont font(QStringLiteral("굴림"));
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(ToQRect(box.GetRectDelayText()).translated(shift, 0), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdString(box.GetDelayText()));
}
