// The user's four settings under HKEY_CURRENT_USER "Software\\Vimbro" and the shared statics
// that hold them while the program runs.
#pragma once

namespace VimbroSettings {

constexpr const char* kKey = "Software\\Vimbro";
constexpr const char* kShow = "enumShow";
constexpr const char* kBackground = "crBack";
constexpr const char* kModel = "enumModel";
constexpr const char* kAuto = "bAuto";

constexpr unsigned long kDefaultShow = 0;
constexpr unsigned long kDefaultBackground = 0xFFFFFF;
constexpr unsigned long kDefaultModel = 0;
constexpr unsigned long kDefaultAuto = 1;

// Opens the settings key, creating it when it does not exist. False when neither works.
bool EnsureKey();

// Sets the sort order to 0 and reads the four values into CGandry's statics; a value that is
// missing (or the whole key) takes its default.
void Load();

// Writes the four statics in the order enumShow, crBack, enumModel, bAuto, creating the key
// when absent. False when the key cannot be opened or a value cannot be written.
bool Store();

}  // namespace VimbroSettings
