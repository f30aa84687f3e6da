#include "app/ViewWrapper2.h"

#include <QPainter>

#include "app/WorkControls.h"

CViewWrapper2::CViewWrapper2(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(IDC_WRAPPER));
    // An empty canvas shows white.
    m_pView = new CViewArea(IDC_CANVAS, QStringLiteral("편집 화면"), 0xFFFFFF, false, this);
}

QWidget* CViewWrapper2::GetView() const {
    return m_pView;
}

void CViewWrapper2::resizeEvent(QResizeEvent*) {
    m_pView->setGeometry(rect().adjusted(kInset, kInset, -kInset, -kInset));
}

void CViewWrapper2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    WorkLook::PaintHostFrame(painter, rect());
}
