// artPicture: one item of a picture list: a picture with a name, a rectangle in the list and a
// selected state, drawn by itself inside the list.
#pragma once

#include <QImage>

#include "platform/win/windef.h"

class CPictureList;
class QPainter;
class extImage;

class artPicture {
public:
    artPicture() = default;
    // The item owns the picture unless the reference flag is set.
    explicit artPicture(extImage* picture, const CString& name = CString(), int reference = 0);
    ~artPicture();
    // Two items owning one picture would free it twice, so items are never copied.
    artPicture(const artPicture&) = delete;
    artPicture& operator=(const artPicture&) = delete;

    // Draws into the owner's painter; fit: aspect-fitted and centred, else stretched.
    void Draw(QPainter* dc, int fit);
    // The dimmed copy shown for a selected item of a list that dims its choice (made once).
    void MakeReverseImage();

    extImage* GetPtrPic() const { return m_pPic; }
    extImage* GetPtrReverse() const { return m_pReverse; }
    // Replaces the picture (freeing an owned one and the dimmed copy).
    void SetPtrPicture(extImage* picture);
    void SetReference(int reference) { m_bReference = reference; }
    int GetReference() const { return m_bReference; }
    CRect GetPicRect() const { return m_rect; }
    void SetPicRect(const CRect& rect) { m_rect = rect; }
    int GetSelected() const { return m_bSelected; }
    void SetSelected(int selected) { m_bSelected = selected; }
    const CString& GetName() const { return m_strName; }
    void SetName(const CString& name) { m_strName = name; }
    CPictureList* GetOwner() const { return m_pOwner; }
    void SetOwner(CPictureList* owner) { m_pOwner = owner; }
    // Tells the item its picture's pixels were changed in place, so the drawn form is renewed.
    void PictureChanged();

    // The picture as drawn: 24-bit colours, the transparent colour (when on) fully transparent.
    static QImage ToQImage(const extImage* picture);

private:
    void FreePictures();

    extImage* m_pPic = nullptr;
    extImage* m_pReverse = nullptr;
    CRect m_rect;
    int m_bSelected = 0;
    CString m_strName;
    CPictureList* m_pOwner = nullptr;
    int m_bReference = 0;
    // Kept while the picture is unchanged.
    QImage m_shown;
    QImage m_shownReverse;
};
