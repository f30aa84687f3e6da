// CAboutDlg: the About box, the program's picture with its version written on it.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

#include "platform/win/verinfo.h"

class QLabel;

class CAboutDlg : public QDialog {
public:
    static constexpr int kTextX = 195;
    static constexpr int kTextY = 53;
    static constexpr int kTextWidth = 100;
    static constexpr int kTextHeight = 15;

    explicit CAboutDlg(QWidget* parent = nullptr);

    // "Version : %d.%d%d" from the high and low words of the file version's high part and the
    // high word of its low part.
    static QString VersionText(const VS_FIXEDFILEINFO& info);
    QString VersionLabel() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The box is one picture: a click anywhere closes it.
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    QLabel* m_version = nullptr;
};
