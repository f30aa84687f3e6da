#include "app/ViewWrapper.h"

#include <QPainter>

#include "app/WorkControls.h"

CViewWrapper::CViewWrapper(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(IDC_WRAPPER));
    // The browser paints in the background colour of the settings.
    m_pView = new CViewArea(IDC_THUMB, QStringLiteral("썸네일 목록"), 0xFFFFFF, false, this);
    m_pView->SetUseSettingColor(true);
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
