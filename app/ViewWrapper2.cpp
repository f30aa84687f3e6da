#include "app/ViewWrapper2.h"

#include <QPainter>

#include "app/WorkControls.h"
#include "views/editor/ViewMain.h"

CViewWrapper2::CViewWrapper2(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(IDC_WRAPPER));
    m_pView = new CViewMain(this);
    m_pView->setObjectName(QString::number(IDC_CANVAS));
    // The hint under the LCD window is on from the start.
    m_pView->SetShowText(true);
}

void CViewWrapper2::resizeEvent(QResizeEvent*) {
    m_pView->setGeometry(rect().adjusted(kInset, kInset, -kInset, -kInset));
}

void CViewWrapper2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    WorkLook::PaintHostFrame(painter, rect());
}
