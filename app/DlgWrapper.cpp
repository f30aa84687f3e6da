#include "app/DlgWrapper.h"

#include <QPainter>

#include "app/WorkControls.h"
#include "app/WorkLayout.h"
#include "platform/brelt/Brelt.h"
#include "views/controls/BitmapSliderEx.h"
#include "views/editor/ViewMain.h"
#include "views/slides/ViewSlider.h"

CDlgWrapper::CDlgWrapper(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(IDD));
    m_pSlides = new CViewSlider(this);
    m_pSlides->SetParentTarget(this);
    m_pScroller = new CBitmapSliderEx(this, IDC_SCROLLER);
    NameControl(m_pScroller, IDC_SCROLLER, QStringLiteral("슬라이드 스크롤"));
    m_pScroller->SetBitmapChannel(7366, 7367, 7369);
    m_pScroller->SetBitmapThumb(7368);
    m_pScroller->SetMargin(0, 1, 0, 0);
    // A page is half a slide box.
    const QImage slide = CBrelt::Bitmap(kSlideBitmap);
    m_pScroller->SetPageSize(slide.isNull() ? kPlainSlideWidth / 2 : slide.width() / 2);
    m_pScroller->SetRange(0, 0);
    m_pScroller->SetPos(0);
    m_nTotalWidth = m_pSlides->GetTotalWidth();
    m_pCanvas = new CViewMain(this);
    m_pCanvas->setObjectName(QString::number(IDC_CANVAS));
    m_pCanvas->setAccessibleName(QStringLiteral("꾸미기 화면"));
    // The decoration canvas only cuts clip pictures for the slides; its picture stays whole.
    m_pCanvas->SetSubExclusive(2);
    m_pCanvas->SetShowText(true);
}

CDlgWrapper::~CDlgWrapper() = default;

CViewMainCore* CDlgWrapper::GetCanvasCore() const {
    return m_pCanvas;
}

QWidget* CDlgWrapper::GetSlides() const {
    return m_pSlides;
}
QWidget* CDlgWrapper::GetCanvas() const {
    return m_pCanvas;
}

void CDlgWrapper::SetTotalWidth(int width) {
    m_nTotalWidth = width;
    Relayout();
}

LRESULT CDlgWrapper::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == CBitmapSlider::kMsgMoving || message == CBitmapSlider::kMsgMoved) && wParam == IDC_SCROLLER) {
        OnScroll(static_cast<int>(lParam));
    } else if (message == CSlideStrip::kMsgFocus) {
        m_pScroller->setFocus(Qt::OtherFocusReason);
    } else if (message == CSlideStrip::kMsgSlidesDeleted) {
        SetTotalWidth(m_pSlides->GetTotalWidth());
    }
    return 0;
}

void CDlgWrapper::OnScroll(int position) {
    // The slides only hear of a position that really moved.
    if (position == m_nLastPos) return;
    m_nLastPos = position;
    m_pSlides->SetPosHor(position);
}

void CDlgWrapper::Relayout() {
    const auto l = CWorkLayout::SlideHostLayout(width(), height(), m_nTotalWidth);
    auto place = [](QWidget* w, const CRect& r) {
        w->setGeometry(r.left, r.top, std::max(LONG{0}, r.Width()), std::max(LONG{0}, r.Height()));
    };
    place(m_pSlides, l.slides);
    m_pScroller->setFixedSize(std::max(LONG{0}, l.scroller.Width()), l.scroller.Height());
    m_pScroller->move(l.scroller.left, l.scroller.top);
    place(m_pCanvas, l.canvas);
    m_pScroller->SetRange(0, l.scrollMax);
    // A shorter range may have pulled the thumb back; the slides follow it.
    OnScroll(m_pScroller->GetPos());
}

void CDlgWrapper::resizeEvent(QResizeEvent*) {
    Relayout();
}

void CDlgWrapper::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    WorkLook::PaintHostFrame(painter, rect());
}
