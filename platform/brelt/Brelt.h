// CBrelt: the language resources (bitmaps, icons, menus, the string table) loaded from the
// Qt binary resource file Brelt.rcc in the program folder. Everything is addressed by the
// numeric identifiers the windows use; a missing identifier gives an empty result, never a crash.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

#include <vector>

class CBrelt {
public:
    // One entry of a menu resource: a command (id > 0), a sub-menu (children, id 0) or a
    // separator.
    struct MenuItem {
        int id = 0;
        QString text;       // with '&' marking the mnemonic
        QString shortcut;   // QKeySequence text ("Ctrl+C"), empty when none
        bool separator = false;
        bool radio = false;  // one of a group of exclusive choices (the items between separators)
        std::vector<MenuItem> children;
    };

    // Registers the resource file; false when it is missing or not a resource file.
    static bool Load(const QString& rccPath);
    // Drops the registered file (tests).
    static void Unload();
    static bool IsLoaded();

    // Bitmap `id` as drawn (24 or 32 bits); a null image when absent.
    static QImage Bitmap(int id);
    static QIcon Icon(int id);
    // String table entry `id`; empty when absent.
    static QString String(int id);
    // Menu `id`: its top-level entries (the menu bar's pop-ups for 128, the context pop-ups
    // for 129). Empty when absent.
    static std::vector<MenuItem> Menu(int id);

    // Where the entries live inside the resource file.
    static QString BitmapPath(int id);   // ":/brelt/bitmap/<id>.png"
    static QString IconPath(int id);     // ":/brelt/icon/<id>.png"
    static QString MenuPath(int id);     // ":/brelt/menu/<id>.json"
    static QString StringsPath();        // ":/brelt/strings.json"
};
