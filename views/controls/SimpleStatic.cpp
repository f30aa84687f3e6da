#include "views/controls/SimpleStatic.h"

#include <QPainter>

#include "views/controls/SkinArt.h"

CSimpleStatic::CSimpleStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void CSimpleStatic::SetColors(COLORREF text, COLORREF back, COLORREF selectedText, COLORREF selectedBack) {
    m_crText = text;
    m_crBack = back;
    m_crSelText = selectedText;
    m_crSelBack = selectedBack;
    update();
}

void CSimpleStatic::SetSelect(bool selected) {
    m_bSelected = selected;
    update();
}

void CSimpleStatic::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), skinart::ToQColor(m_bSelected ? m_crSelBack : m_crBack));
    p.setPen(skinart::ToQColor(m_bSelected ? m_crSelText : m_crText));
    p.setFont(font());
    p.drawText(contentsRect().adjusted(2, 0, -2, 0), static_cast<int>(alignment()),
               fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, contentsRect().width() - 4)));
}
