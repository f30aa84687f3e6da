// Command, control and resource identifiers of the program. The menus and bitmaps of the
// resource file carry these numbers; the standard commands keep the framework's values.
#pragma once

// Standard commands.
constexpr int ID_FILE_NEW = 0xE100;
constexpr int ID_FILE_OPEN = 0xE101;
constexpr int ID_FILE_PRINT_SETUP = 0xE106;
constexpr int ID_EDIT_COPY = 0xE122;
constexpr int ID_EDIT_PASTE = 0xE125;
constexpr int ID_EDIT_SELECT_ALL = 0xE12A;
constexpr int ID_EDIT_UNDO = 0xE12B;
constexpr int ID_EDIT_REDO = 0xE12C;
constexpr int ID_APP_ABOUT = 0xE140;
constexpr int ID_APP_EXIT = 0xE141;
constexpr int ID_HELP = 0xE146;

// Top bar controls.
constexpr int IDC_MODE_COMPOSE = 7020;
constexpr int IDC_MODE_EDIT = 7021;
constexpr int IDC_MODE_DECORATE = 7022;
constexpr int IDC_ADD_ALBUM = 7023;
constexpr int IDC_IMPORT = 7024;
constexpr int IDC_MODEL_LIST = 7027;

// Menu commands.
constexpr int ID_ALBUM_DELETE = 32771;
constexpr int ID_THUMB_DELETE = 32782;
constexpr int ID_SHOW_MODE_0 = 32783;
constexpr int ID_SHOW_MODE_1 = 32784;
constexpr int ID_SHOW_MODE_2 = 32785;
constexpr int ID_SORT_ORDER_0 = 32786;
constexpr int ID_SORT_ORDER_1 = 32787;
constexpr int ID_PICTURE_INFO = 32788;
constexpr int ID_KEYWORD = 32789;
constexpr int ID_ALBUM_COPY = 32790;
constexpr int ID_BUNDLE_RENAME = 32791;
constexpr int ID_ALBUM_FROM_SELECTION = 33823;
constexpr int ID_ALBUM_ADD = 33824;
constexpr int ID_FILE_SAVE_PICTURE = 33825;
constexpr int ID_FILE_IMPORT = 33826;
constexpr int ID_ENVIRONMENT = 33827;
constexpr int ID_FILE_EXPORT = 33831;
constexpr int ID_FILE_SAVE_PICTURE_AS = 33832;
constexpr int ID_RESTORE = 33833;
constexpr int ID_PRINT_PREVIEW = 33834;
constexpr int ID_CHECK_UPDATE = 33836;

// Resources.
constexpr int IDR_MAINFRAME = 128;
constexpr int IDR_CONTEXT = 129;
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDC_VERSION_TEXT = 7076;
constexpr int IDB_ABOUT = 7418;
constexpr int IDB_ABOUT_2 = 7417;
constexpr int IDI_MAINFRAME = 7416;
constexpr int IDB_COMMANDBAR_THEME = 7218;
constexpr int IDB_PROGRESS_1 = 7412;
constexpr int IDB_PROGRESS_2 = 7411;
constexpr int IDD_TOPFRAME = 1000;
constexpr int IDD_ALBUM_STRIP = 1003;

// Frame skin.
constexpr int IDB_CAPTION_LEFT = 7205;
constexpr int IDB_CAPTION_MIDDLE = 7206;
constexpr int IDB_CAPTION_RIGHT = 7204;
constexpr int IDB_BUTTON_MINIMIZE = 7207;
constexpr int IDB_BUTTON_MAXIMIZE = 7208;
constexpr int IDB_BUTTON_RESTORE = 7510;
constexpr int IDB_BUTTON_CLOSE = 7209;
constexpr int IDB_BORDER_LEFT = 7214;
constexpr int IDB_BORDER_RIGHT = 7213;
constexpr int IDB_BORDER_BOTTOM_LEFT = 7216;
constexpr int IDB_BORDER_BOTTOM_RIGHT = 7217;
constexpr int IDB_BORDER_BOTTOM = 7215;
constexpr int IDB_BAND = 7230;

// Top bar skin.
constexpr int IDB_TOP_TITLE = 7219;
constexpr int IDB_TOP_BAND_LEFT = 7220;
constexpr int IDB_TOP_BAND_MIDDLE = 7222;
constexpr int IDB_TOP_BAND_RIGHT = 7221;
constexpr int IDB_MODE_COMPOSE = 7224;
constexpr int IDB_MODE_EDIT = 7226;
constexpr int IDB_MODE_DECORATE = 7225;
constexpr int IDB_ADD_ALBUM = 7227;
constexpr int IDB_IMPORT = 7223;
