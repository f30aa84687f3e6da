// CViewWrapper: the rounded host window of the album browser in the album composition view.
#pragma once

#include <QWidget>

class CViewThumb;

class CViewWrapper : public QWidget {
public:
    static constexpr int IDC_WRAPPER = 7270;
    static constexpr int IDC_THUMB = 7271;
    static constexpr int kInset = 10;

    explicit CViewWrapper(QWidget* parent);
    QWidget* GetView() const;
    // The hosted album browser.
    CViewThumb* GetThumb() const { return m_pView; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CViewThumb* m_pView;
};
