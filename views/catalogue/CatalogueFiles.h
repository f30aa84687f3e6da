// CCatalogueFiles: the file operations of the album browser: import, paste and duplication of
// pictures with their registration into the album on show, export, renaming and titling by
// pattern (each rename under a journal, so a process killed midway loses nothing), the
// bookkeeping after the editor rewrote a picture, and restoring backups. It works on the items
// on show of the browser that owns it.
#pragma once

#include <ctime>
#include <list>
#include <vector>

#include "platform/win/windef.h"

class CCatalogueRows;
class CThumbCatalogue;
class CThumbGrid;
class vxImage;

class CCatalogueFiles {
public:
    CCatalogueFiles(CThumbCatalogue& browser, std::list<vxImage*>& list, std::vector<vxImage*>& vector,
                    CCatalogueRows& rows, CThumbGrid& grid);
    CCatalogueFiles(const CCatalogueFiles&) = delete;
    CCatalogueFiles& operator=(const CCatalogueFiles&) = delete;

    void ImportFile(CStringList* paths, int bRecompose);
    void PasteFile(CStringList* paths, int bRecompose);
    void AlbumCopy();
    void ExportFile(CString folder, int bUnique, int bUseTitle, int bAll, int& copied);
    void SetFilename(CString base);
    void SetFilename(int bDate, int bCompactDate, int bTime, int bAmPm);
    void SetTitle(CString base, int bNumbered);
    void SetTitle(int bDate, int bCompactDate, int bTime, int bAmPm, int bNumbered);
    void SetTitleFromFilename();
    void UpdateCLSID(vxImage* item);
    void Restore();
    int is_restore();
    bool get_clsid_fromfile(CString& path, CString& out);
    static CString MakeStamp(const std::tm& now, int bDate, int bCompactDate, int bTime, int bAmPm);

    // Finishes the bookkeeping of a rename whose process died between moving the picture and
    // updating its row, so the row (title, keywords, albums) follows the picture.
    void RecoverInterruptedRenames();

private:
    std::vector<vxImage*> GetSelectedItems() const;
    // Registration of paths into the album on show; returns the display position of the first
    // new item.
    int loading_string_list(CStringList* paths);
    // Renames one item's picture under the journal; false when the picture could not be moved.
    bool RenameItem(vxImage* item, const CString& name, const CString& path);

    CThumbCatalogue& m_browser;
    std::list<vxImage*>& m_listThumb;
    std::vector<vxImage*>& m_vecThumb;
    CCatalogueRows& m_rows;
    CThumbGrid& m_grid;
};
