// vxImage: one catalogue picture in memory while its album is on show: its key and catalogue
// values, its cell in the browser and its three thumbnail levels (cached in a ".thm" file).
#pragma once

#include "platform/win/windef.h"

class CThumbCatalogue;
class extImage;

class vxImage {
public:
    // The browser that makes an item is named first; the item itself never calls it.
    // A file found in the photo folder: album 99, not yet in the catalogue.
    vxImage(CThumbCatalogue* view, const CString& key, const CString& filename, const CString& fullPath);
    // A picture of an album, known to the catalogue.
    vxImage(CThumbCatalogue* view, const CString& key, int album, const CString& filename, const CString& fullPath);
    // A row read from the catalogue.
    vxImage(CThumbCatalogue* view, const CString& key, int album, const CString& keywordIds, const CString& title,
            const CString& filename, const CString& fullPath);
    ~vxImage();
    vxImage(const vxImage&) = delete;
    vxImage& operator=(const vxImage&) = delete;

    // Decodes the picture, writes the cache file with the three levels and keeps level 0 in
    // memory. False when the picture cannot be decoded or the cache cannot be written (see
    // IsUndecodable for which).
    bool MakingThumb();
    // Reads level 0 from the cache file; false when the file is missing or unsound.
    bool LoadingThumb();
    // Reads one level from the cache file (kept when already loaded).
    bool load_thumb_num(int level);
    void unload_thumb_num(int level);
    void ReleaseAll();
    extImage* GetLevelImage(int level);
    // Keeps a copy of the picture in the backup folder before its first edit.
    void MakingOriginal(int unused);

    // True when the last MakingThumb failed because the picture could not be decoded (as
    // opposed to a cache file that could not be written).
    bool IsUndecodable() const { return m_bUndecodable; }

    // "%d x %d" of a picture file's size in pixels; empty when it cannot be read.
    static CString ReadDimension(const CString& path);

    extImage* m_pThumb[3] = {nullptr, nullptr, nullptr};
    CRect m_rect;
    int m_bNew = 0;
    int m_bVisible = 0;
    int m_bSelected = 0;
    CString m_strCLSID;
    int m_nAlbumID = 0;
    CString m_strKeywordID;
    CString m_strKeyword;
    CString m_strDimension;
    CString m_strFilename;
    CString m_strTitle;
    CString m_strFullPath;
    CString m_strOriginalPath;
    CString m_strThumbPath;

private:
    bool m_bUndecodable = false;
};
