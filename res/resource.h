#pragma once
// Resource ids shared by the resource script and the code.

#define IDR_MAINFRAME 128  // the launcher's icon

#define IDD_PLEXOR3_DIALOG 102  // the main window
#define IDC_BTN_HIDE 1001
#define IDC_BTN_SOUND 1002
#define IDC_BTN_MENU 1003
#define IDC_BTN_UNUSED 1004
#define IDC_LNK_ADDACC 1005

#define IDD_LOGIN_PAGE 157   // the login page and the login background
#define IDD_ADD_ACCOUNT 161  // the add-account prompt
#define IDC_ADDACC_QUESTION 1023
