#include "app/AboutDlg.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "app/Resource.h"
#include "common/Gandry.h"
#include "platform/brelt/Brelt.h"

namespace {

// The box's size when the resource file has no picture for it.
constexpr QSize kPlainSize(420, 200);

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("VimbroSuite 정보"));
    m_picture = CBrelt::Bitmap(IDB_ABOUT);
    setFixedSize(m_picture.isNull() ? kPlainSize : m_picture.size());
    VS_FIXEDFILEINFO info{};
    QString text;
    if (CGandry::GetFileVersion(QCoreApplication::applicationFilePath().toLocal8Bit().constData(), &info))
        text = VersionText(info);
    m_version = new QLabel(text, this);
    m_version->setObjectName(QStringLiteral("version"));
    m_version->setGeometry(kTextX, kTextY, kTextWidth, kTextHeight);
    m_version->setAccessibleName(text);
}

QString CAboutDlg::VersionText(const VS_FIXEDFILEINFO& info) {
    return QString::asprintf("Version : %d.%d%d", static_cast<int>(info.dwFileVersionMS >> 16),
                             static_cast<int>(info.dwFileVersionMS & 0xFFFF),
                             static_cast<int>(info.dwFileVersionLS >> 16));
}

QString CAboutDlg::VersionLabel() const {
    return m_version->text();
}

void CAboutDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_picture.isNull()) {
        p.drawImage(QPoint(0, 0), m_picture);
        return;
    }
    p.fillRect(rect(), QColor(0x24, 0x33, 0x52));
    QFont big = font();
    big.setPixelSize(22);
    big.setBold(true);
    p.setFont(big);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 80, width(), 40), Qt::AlignCenter, QStringLiteral("ZEL VimbroSuite"));
    m_version->setStyleSheet(QStringLiteral("color: white"));
}

void CAboutDlg::mouseReleaseEvent(QMouseEvent*) {
    accept();
}
