// Private window messages of the system, by number. Views and panels send them to the main
// window (or to their parent panel); the receiver handles them in its one dispatch function.
#pragma once

#include "platform/win/windef.h"

constexpr UINT WM_USER = 0x0400;

// Main window (WM_USER + 0x800 and up).
constexpr UINT WM_THUMB_REPAINT = 0x0C00;        // repaint the album view and its browser
constexpr UINT WM_DROP_ALBUM = 0x0C01;           // to the window under a drag: wParam int* album
constexpr UINT WM_SWITCH_EDIT = 0x0C02;          // switch to photo editing
constexpr UINT WM_SWITCH_DECORATE = 0x0C03;      // switch to decoration after the model check
constexpr UINT WM_CANVAS_MODE = 0x0C04;          // wParam: editor canvas mode
constexpr UINT WM_PICTURE_LIST_CLICK = 0x0C07;   // wParam value, lParam target 1/2/3
constexpr UINT WM_CROP_TO_SLIDES = 0x0C08;       // add the current crop to the slides
constexpr UINT WM_SAVE_PHT = 0x0C09;             // save one slide as PHT
constexpr UINT WM_REFRESH_LCD_PREVIEW = 0x0C0A;  // refresh the decoration LCD preview
constexpr UINT WM_SLIDES_PLAY = 0x0C0B;          // wParam 0 stop, 1 play
constexpr UINT WM_LCD_SIZE = 0x0C0C;             // wParam pointer to a CSize, lParam 1 = reload frames
constexpr UINT WM_PROGRESS_BEGIN = 0x0C0D;       // wParam total
constexpr UINT WM_PROGRESS_POS = 0x0C0E;         // wParam position
constexpr UINT WM_PROGRESS_END = 0x0C0F;
constexpr UINT WM_DELETE_ALBUMS = 0x0C14;        // delete the selected albums
constexpr UINT WM_IGNORED = 0x0C1E;              // returns 0

// Panel messages.
constexpr UINT WM_SYMBOL_CHOSEN = WM_USER + 500;  // 1524: a symbol was chosen
