#include "app/PickerPanel.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

#include "app/WorkControls.h"
#include "platform/brelt/Brelt.h"
#include "views/catalogue/PictureList.h"
#include "views/controls/BitmapSliderEx.h"
#include "views/controls/UserStatic.h"

CPickerPanel::CPickerPanel(int id, const QString& title, int titleId, int sliderId, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(id));
    setAccessibleName(title.simplified().remove(QLatin1Char(' ')));
    m_pTitle = new CUserStatic(title, this);
    m_pTitle->setObjectName(QString::number(titleId));
    m_pTitle->setAccessibleName(title);
    m_pTitle->SetBitmaps(kTitleLeft, kTitleMiddle, kTitleRight);
    m_pTitle->SetTextColor(RGB(0x33, 0x33, 0x33));
    m_pSlider = new CBitmapSliderEx(this, sliderId);
    NameControl(m_pSlider, sliderId, QStringLiteral("세로 스크롤"));
    m_pSlider->SetVertical(true);
    m_pSlider->SetBitmapChannel(kChannelTop, kChannelMiddle, kChannelBottom);
    m_pSlider->SetBitmapThumb(kThumb);
    m_pSlider->SetRange(0, 0);
    m_pSlider->SetPos(0);
    m_pSlider->SetNotifyTarget(this);
    m_edgeLeft = CBrelt::Bitmap(kEdgeLeft);
    m_edgeRight = CBrelt::Bitmap(kEdgeRight);
    m_edgeBottom = CBrelt::Bitmap(kEdgeBottom);
}

void CPickerPanel::SetList(CPictureList* list) {
    m_pList = list;
    // The wheel over the list scrolls it as the slider would.
    if (m_pList) m_pList->installEventFilter(this);
    Relayout();
}

bool CPickerPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pList && event->type() == QEvent::Wheel) {
        ForwardWheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

int CPickerPanel::GetTitleHeight() const {
    const int h = m_pTitle->sizeHint().height();
    return h > 0 ? h : kPlainTitleHeight;
}

int CPickerPanel::GetSliderWidth() const {
    const int w = m_pSlider->sizeHint().width();
    return w > 0 ? w : kPlainSliderWidth;
}

int CPickerPanel::SliderRangeMax() const {
    if (!m_pList) return 0;
    return std::max(0, m_pList->get_height_totalItem() + GetTitleHeight() - height());
}

void CPickerPanel::ApplySliderRange() {
    m_pSlider->SetRange(0, SliderRangeMax());
    // A shorter list may leave the old offset beyond its end.
    if (m_pList && m_pList->GetPosVer() != m_pSlider->GetPos()) m_pList->SetPosVer(m_pSlider->GetPos());
}

void CPickerPanel::Relayout() {
    const int title = GetTitleHeight();
    const int slider = GetSliderWidth();
    m_pTitle->setGeometry(0, 0, width(), title);
    const int listHeight = std::max(0, height() - title - 7);
    if (m_pList) m_pList->setGeometry(2, title + 5, std::max(0, width() - slider - 4), listHeight);
    m_pSlider->setGeometry(width() - slider - 2, title + 5, slider, listHeight);
    ApplySliderRange();
    update();
}

void CPickerPanel::resizeEvent(QResizeEvent*) {
    Relayout();
}

LRESULT CPickerPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CBitmapSlider::kMsgMoving || message == CBitmapSlider::kMsgMoved) {
        const int position = static_cast<int>(lParam);
        if (m_pList && m_pList->GetPosVer() != position) m_pList->SetPosVer(position);
        (void)wParam;
        return 0;
    }
    if (message == kMsgFocusSlider || message == CPictureList::kMsgClicked) {
        m_pSlider->setFocus();
        return 0;
    }
    return 0;
}

void CPickerPanel::wheelEvent(QWheelEvent* event) {
    ForwardWheel(event);
}

void CPickerPanel::ForwardWheel(QWheelEvent* event) {
    QWheelEvent copy(m_pSlider->mapFromGlobal(event->globalPosition()), event->globalPosition(), event->pixelDelta(),
                     event->angleDelta(), event->buttons(), event->modifiers(), event->phase(), event->inverted());
    QCoreApplication::sendEvent(m_pSlider, &copy);
    event->accept();
}

void CPickerPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && m_pList) m_pList->SetEnableWindow(isEnabled() ? 1 : 0);
    QWidget::changeEvent(event);
}

void CPickerPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int title = GetTitleHeight();
    p.fillRect(rect(), QColor(237, 237, 237));
    // The light strip under the title, then the edges down both sides and across the bottom.
    p.fillRect(QRect(0, title, width(), 5), QColor(237, 237, 237));
    const int edge = 2;
    const QRect left(0, title, edge, height() - title);
    const QRect right(width() - edge, title, edge, height() - title);
    const QRect bottom(0, height() - edge, width(), edge);
    const QColor line(0x9D, 0x9D, 0x9D);
    if (!m_edgeLeft.isNull())
        p.drawImage(QRect(left.x(), left.y(), m_edgeLeft.width(), left.height()), m_edgeLeft);
    else
        p.fillRect(left.adjusted(0, 0, -1, 0), line);
    if (!m_edgeRight.isNull())
        p.drawImage(QRect(width() - m_edgeRight.width(), right.y(), m_edgeRight.width(), right.height()), m_edgeRight);
    else
        p.fillRect(right.adjusted(1, 0, 0, 0), line);
    if (!m_edgeBottom.isNull())
        p.drawImage(QRect(0, height() - m_edgeBottom.height(), width(), m_edgeBottom.height()), m_edgeBottom);
    else
        p.fillRect(bottom.adjusted(0, 1, 0, 0), line);
}
