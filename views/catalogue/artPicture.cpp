#include "views/catalogue/artPicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

#include "common/Gandry.h"
#include "imaging/extImage.h"
#include "views/catalogue/PictureList.h"

namespace {

QColor ToColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QRect Q(const CRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

artPicture::artPicture(extImage* picture, const CString& name, int reference)
    : m_pPic(picture), m_strName(name), m_bReference(reference) {}

artPicture::~artPicture() {
    FreePictures();
}

void artPicture::FreePictures() {
    if (!m_bReference) delete m_pPic;
    m_pPic = nullptr;
    delete m_pReverse;
    m_pReverse = nullptr;
    m_shown = QImage();
    m_shownReverse = QImage();
}

void artPicture::SetPtrPicture(extImage* picture) {
    if (picture == m_pPic) {
        PictureChanged();
        return;
    }
    FreePictures();
    m_pPic = picture;
}

void artPicture::PictureChanged() {
    delete m_pReverse;
    m_pReverse = nullptr;
    m_shown = QImage();
    m_shownReverse = QImage();
}

void artPicture::MakeReverseImage() {
    if (m_pReverse || !m_pPic || !m_pPic->IsValid()) return;
    m_pReverse = new extImage(*m_pPic);
    // No selection means the whole picture is dimmed.
    m_pReverse->SelectionDelete();
    m_pReverse->bright(70);
    RGBQUAD key{0, 255, 0, 0};
    extImage::get_transcolor_fromnum(key, 70);
    m_pReverse->SetTransColor(key);
}

QImage artPicture::ToQImage(const extImage* picture) {
    if (!picture || !picture->IsValid()) return {};
    const int width = static_cast<int>(picture->GetWidth());
    const int height = static_cast<int>(picture->GetHeight());
    const bool keyed = picture->IsTransparent();
    const RGBQUAD key = keyed ? picture->GetTransColor() : RGBQUAD{};
    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        // The library keeps rows bottom-up.
        const long row = height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const RGBQUAD c = picture->GetPixelColor(x, row, false);
            const bool clear =
                keyed && c.rgbRed == key.rgbRed && c.rgbGreen == key.rgbGreen && c.rgbBlue == key.rgbBlue;
            line[x] = clear ? qRgba(0, 0, 0, 0) : qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
    }
    return image;
}

void artPicture::Draw(QPainter* dc, int fit) {
    if (!dc) return;
    const CPictureList* owner = m_pOwner;
    const QRect rect = Q(m_rect);
    const bool dimmed = m_bSelected && owner && owner->DimsSelected();
    const QImage* shown = nullptr;
    if (dimmed) {
        MakeReverseImage();
        if (m_shownReverse.isNull()) m_shownReverse = ToQImage(m_pReverse);
        shown = &m_shownReverse;
    } else {
        if (m_shown.isNull()) m_shown = ToQImage(m_pPic);
        shown = &m_shown;
    }
    if (dimmed) {
        // Frames are mostly transparent, so their dimmed form alone hardly shows which one is
        // chosen; a shaded backdrop makes the choice visible.
        dc->fillRect(rect, QColor(0xC9, 0xD3, 0xE0));
    }
    if (!shown->isNull()) {
        QRect target = rect;
        if (fit) {
            CSize box(rect.width(), rect.height());
            CSize size(shown->width(), shown->height());
            const CSize fitted = CGandry::CalcDesired(box, size);
            target = QRect(rect.left() + (rect.width() - fitted.cx) / 2, rect.top() + (rect.height() - fitted.cy) / 2,
                           fitted.cx, fitted.cy);
        }
        dc->drawImage(target, *shown);
    }
    if (m_bSelected && !dimmed) {
        QPen pen(ToColor(owner ? owner->GetSelectColor() : CPictureList::kSelectColor));
        pen.setWidth(2);
        pen.setJoinStyle(Qt::MiterJoin);
        dc->save();
        dc->setPen(pen);
        dc->setBrush(Qt::NoBrush);
        dc->drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
        dc->restore();
    }
    if (owner && owner->ShowsText()) {
        dc->save();
        dc->setBrush(Qt::NoBrush);
        dc->drawRect(rect.adjusted(0, 0, -1, -1));
        // The label may use the list's whole width: names are wider than the small pictures.
        const int stripWidth = std::max(rect.width(), owner->width());
        const QRect strip(rect.center().x() - stripWidth / 2, m_rect.bottom + 1, stripWidth, owner->GetTextHeight());
        dc->setFont(owner->GetLabelFont());
        dc->setPen(QColor(0x33, 0x33, 0x33));
        const QString name = QString::fromStdString(m_strName);
        const QString text = QFontMetrics(dc->font()).elidedText(name, Qt::ElideRight, strip.width());
        dc->drawText(strip, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text);
        dc->restore();
    }
}
