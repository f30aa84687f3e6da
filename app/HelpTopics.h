#pragma once

#include <QString>
#include <QUrl>
#include <vector>

class QWidget;

// Which help page answers the user's F1: the page of the work mode, or of the dialog in front.
// Pages are file names in the help folder, optionally followed by "#" and an anchor.
namespace HelpTopics {

// The contents page, which the help menu's command opens.
inline constexpr const char* kContents = "001_AboutVimbroSuite.htm";

// The page of work mode 0 (album composition), 1 (photo editing) or 2 (decoration); the
// contents page for any other number.
QString PageForMode(int mode);

// The page of one of the program's dialogs, or an empty text when the window has none of its
// own (message boxes, file and print dialogs) and the window behind it should answer.
QString PageForWindow(const QWidget* window);

// Every page with anchor that PageForMode and PageForWindow can answer, for checking that the
// help folder holds them.
std::vector<QString> AllPages();

// The file URL of page (anchor kept as the URL's fragment) inside helpFolder.
QUrl Url(const QString& helpFolder, const QString& page);

}  // namespace HelpTopics
