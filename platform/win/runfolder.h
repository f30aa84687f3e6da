// Where the program keeps its catalogue, thumbnails, backups, logs and model data: the folder
// of the running program, or $VIMBRO_HOME, or, for an installed program whose folder is not
// the user's to write, a per-user folder under the XDG data folder.
#pragma once

#include <string>

namespace win {

// A file of this name beside the program marks an installed program folder.
inline constexpr char kInstalledMarker[] = "vimbro-installed";
// The per-user folder's name under the XDG data folder.
inline constexpr char kUserFolderName[] = "VimbroSuite";

// The folder of the running program, with a trailing "/".
std::string ProgramFolder();

// $XDG_DATA_HOME/VimbroSuite/ ($XDG_DATA_HOME when it is absolute, else $HOME/.local/share);
// empty when neither variable gives an absolute folder.
std::string UserDataFolder();

// Makes userFolder (and its parents) and gives its data/ a link to every file of
// programFolder's data/ that it lacks; links whose file has gone are dropped, files of the
// user's own (an update's replacement) are kept. False when the folder cannot be made.
bool PrepareUserFolder(const std::string& programFolder, const std::string& userFolder);

// The run folder of a program living in programFolder, trailing "/": $VIMBRO_HOME when set,
// else programFolder unless it carries the installed marker, else the per-user folder,
// prepared on the way. When the per-user folder cannot be made it is still the answer: the
// program then reports what fails there instead of writing into the installed folder. Only
// when no per-user folder can be named at all (no absolute HOME) is it the program folder.
std::string ResolveRunFolder(const std::string& programFolder);

// ResolveRunFolder(ProgramFolder()); the per-user folder is prepared once per process.
std::string RunFolder();

}  // namespace win
