// CViewComposer: the album composition view (mode 0): the album browser in its rounded host,
// and a bottom row with the thumbnail-size slider and the texts about the current picture.
#pragma once

#include <QStringList>

#include "app/WorkView.h"

class CTextBox;
class CViewWrapper;

class CViewComposer : public CWorkView {
public:
    static constexpr int IDD = 1001;
    static constexpr int kThumbSizeStart = 8;

    // What the bottom-row box says about the browser's current picture.
    struct ItemInfo {
        QString fileName, title, keywords, date, size, pixel;
    };

    explicit CViewComposer(QWidget* parent);

    CViewWrapper* GetWrapper() const { return m_pWrapper; }
    // The browser's thumbnail size, as the slider set it.
    int GetThumbSize() const { return m_nThumbSize; }
    // The browser's current picture and its show mode (what the first line names).
    void SetItemInfo(const ItemInfo& info, int showMode);
    // The four texts: by show mode the file name, the title or the keywords; then the date,
    // the size and the pixel size.
    static QStringList InfoLines(const ItemInfo& info, int showMode);
    QString GetInfoText() const;
    // The box follows the browser's attribute texts (after it reports them changed).
    void ShowBrowserInfo();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void OnSliderPos(int id, int position) override;

private:
    CViewWrapper* m_pWrapper;
    CTextBox* m_pInfo;
    int m_nThumbSize = kThumbSizeStart;
};
