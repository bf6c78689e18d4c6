// Resource identifiers of ZMX.exe, shared by zmx.rc and the code.
#pragma once

// Resource set of the main frame: icon and title string.
#define IDR_MAINFRAME 128
// Start-up failure messages.
#define IDP_OLE_INIT_FAILED 100
#define IDP_SOCKETS_INIT_FAILED 104

// Login view pictures.
#define IDB_LOGIN_BG 318
#define IDB_LOGIN_BUTTON 319
#define IDB_ACCOUNT_BG 320
#define IDB_REGISTER_BUTTON 321
#define IDB_COMBO_ARROW 326

// The notification-area menu and its one command.
#define IDR_TRAY_MENU 322
#define ID_TRAY_EXIT 32772
