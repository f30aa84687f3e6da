// The window-based helpers the core libraries call through installed slots (the open-file
// dialog of CGandry). The program installs them once at start.
#pragma once

#include <QString>

#include <string>

// Installs every slot; call once before the frame is created.
void InstallGuiHelpers();
// Removes them again (end of run, tests).
void RemoveGuiHelpers();

// "Images (*.bmp;*.jpg)|*.bmp;*.jpg|All (*.*)|*.*||" -> "Images (*.bmp *.jpg);;All (*.*)"
QString QtFileFilter(const std::string& filter);
