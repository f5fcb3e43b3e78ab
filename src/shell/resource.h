// Identifiers of the program's resources, controls and menu commands,
// shared by the resource script, the main window and its tests.
#pragma once

#define IDI_TABWRIGHT 1

// The tray icon's notifications to the main window; lParam holds the mouse
// message.
#define WM_TABWRIGHT_TRAY (WM_APP + 1)
// A formatting run has ended; its result waits in the main window's worker.
#define WM_TABWRIGHT_NESTED (WM_APP + 2)
// Sent by a second start of the program: show the window.
#define WM_TABWRIGHT_SHOW (WM_APP + 3)

#define IDR_MAINMENU 100
#define IDR_TRAYMENU 101

// Controls of the main window.
#define IDC_CHECK1 1001
#define IDC_CHECK2 1002
#define IDC_CHECK3 1003
#define IDC_CHECK4 1004
#define IDC_IMAGE1 1010
#define IDC_IMAGE2 1011
#define IDC_LABEL1 1012
#define IDC_TEXT1 1013
#define IDC_COMBO1 1014

// Menu bar: Insert.
#define IDM_INSERT_HEADING 2001
#define IDM_INSERT_START 2002
#define IDM_INSERT_END 2003
#define IDM_INSERT_HOTKEY0 2010  // to IDM_INSERT_HOTKEY0 + 9

// Menu bar: Functions > Settings.
#define IDM_SET_HEADING 2101
#define IDM_SET_START 2102
#define IDM_SET_END 2103
#define IDM_STREG1 2104
#define IDM_SET_VERSION 2105
#define IDM_SET_DESCRIPTION 2106
#define IDM_SET_FREE 2107
#define IDM_STREG2 2108
#define IDM_HOTKEYS0 2110  // to IDM_HOTKEYS0 + 9
#define IDM_STREG3 2120
#define IDM_INDENTLEFT 2121
#define IDM_INDENTRIGHT 2122
#define IDM_STREG4 2123
#define IDM_REBOOT 2124

// Menu bar: About.
#define IDM_OM 2200

// Tray pop-up menu.
#define IDM_OPENPROGRAM 2301
#define IDM_ACTIVATECLIPBOARD 2302
#define IDM_CSIDE 2303
#define IDM_SIGNS 2304
#define IDM_AUTO_INDENT 2305
#define IDM_QUITPROGRAM 2306
