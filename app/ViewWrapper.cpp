#include "app/ViewWrapper.h"

#include <QPainter>

#include "app/WorkControls.h"
#include "views/catalogue/ViewThumb.h"

CViewWrapper::CViewWrapper(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(IDC_WRAPPER));
    m_pView = new CViewThumb(this);
}

QWidget* CViewWrapper::GetView() const {
    return m_pView;
}

void CViewWrapper::resizeEvent(QResizeEvent*) {
    m_pView->setGeometry(rect().adjusted(kInset, kInset, -kInset, -kInset));
}

void CViewWrapper::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    WorkLook::PaintHostFrame(painter, rect());
}
