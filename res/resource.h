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
#define IDD_SETTING 158      // the hotkey settings
#define IDC_SET_BOSS_LABEL 1006
#define IDC_SET_BOSS_EDIT 1007
#define IDC_SET_BOSS_EXAMPLE 1008
#define IDC_SET_SWITCH_LABEL 1009
#define IDC_SET_SWITCH_EDIT 1010
#define IDC_SET_SWITCH_EXAMPLE 1011
#define IDC_SET_SWITCH_GROUP 1012
#define IDC_SET_SOUND_GROUP 1013
#define IDC_SET_SOUND_EDIT 1014
#define IDC_SET_SOUND_EXAMPLE 1015
#define IDC_SET_SOUND_LABEL 1016
#define IDC_SET_BOSS_GROUP 1017
#define IDD_ADD_ACCOUNT 161  // the add-account prompt
#define IDC_ADDACC_QUESTION 1023

#define IDI_FAVOURITE 155       // the icon of the favourites dialog
#define IDD_ADD_FAVOURITE 159   // Ctrl+D in a game page: save it as a favourite
#define IDC_FAV_NAME 1018
#define IDD_NOTICE 160          // the portal's notice pop-up
#define IDC_NOTICE_PICTURE 1019
#define IDC_NOTICE_TITLE 1020
#define IDC_NOTICE_TEXT 1021
#define IDC_NOTICE_DETAILS 1022
