// The window-based helpers the core libraries call through installed slots (the open-file
// dialog of CGandry). The program installs them once at start.
#pragma once

#include <QString>

#include <string>

#include "platform/afx/afxwin.h"

// Installs every slot; call once before the frame is created.
void InstallGuiHelpers();
// Removes them again (end of run, tests).
void RemoveGuiHelpers();

// "Images (*.bmp;*.jpg)|*.bmp;*.jpg|All (*.*)|*.*||" -> "Images (*.bmp *.jpg);;All (*.*)"
QString QtFileFilter(const std::string& filter);

// A message box handler that always runs on the user-interface thread: asked from a worker (an
// import that meets an existing file), it waits there for the answer.
MessageBoxHandler OnUiThread(MessageBoxHandler handler);
