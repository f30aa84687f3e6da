// The rules that album and keyword names must pass, each in the order its dialog tests them. The
// dialogs, the album strip and the command-line tool all ask these functions, so a name one of
// them refuses is refused by all, with the same message.
#pragma once

#include <vector>

#include "platform/win/windef.h"

namespace catalogue {

// The name edits take at most this many characters.
inline constexpr int kMaxNameChars = 20;

// Characters as the name edits count them: the bytes of the name in the Korean code page, a
// double-byte character counting once.
int NameLength(const CString& name);
// Whether the name edits take the whole name (at most kMaxNameChars characters).
bool FitsNameEdit(const CString& name);

// A new album (the add-album dialog): empty, leading space, forbidden character, the name of an
// existing album (exact comparison). The message that refuses the name, or empty.
CString CheckAlbumName(const CString& name, const std::vector<CString>& albums);

// Renaming an album on the album strip.
enum class AlbumRenameVerdict {
    Accept,
    Unchanged,  // the album's own name: nothing to do
    Empty,      // the strip does nothing with an empty text
    TooLong,    // more than the edit takes
    Duplicate,  // another album has the name: "앨범명이 이미 존재합니다"
};
AlbumRenameVerdict CheckAlbumRename(const CString& oldName, const CString& newName,
                                    const std::vector<CString>& albums);
// The message the strip shows for a verdict; empty for those it passes over in silence.
CString AlbumRenameMessage(AlbumRenameVerdict verdict);

// A keyword name, new or renamed (the new-keyword and change-name dialogs): empty, leading space,
// forbidden character, more than 20 characters, a name already in the keyword list (the
// keyword's own name included). The message that refuses the name, or empty.
CString CheckKeywordName(const CString& name, const std::vector<CString>& keywords);

}  // namespace catalogue
