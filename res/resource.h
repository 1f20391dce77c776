#pragma once
// Resource ids shared by the resource script and the code.

#define IDR_MAINFRAME 128  // the launcher's icon

#define IDD_MESSAGE_BOX 130      // the skinned message box, sized from its text
#define IDD_UPDATE_PROGRESS 156  // the update's download
#define IDC_UPDATE_PROGRESS 1000

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
#define IDC_SET_SHOT_GROUP 1024
#define IDC_SET_SHOT_LABEL 1025
#define IDC_SET_SHOT_EDIT 1026
#define IDC_SET_SHOT_EXAMPLE 1027
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

// Skin images, drawn by res/skin/draw_skin.py and packed by the build. Magenta is
// transparent; strips hold their frames side by side.
#define IDB_LOGIN_BACKGROUND 129   // the login background, a layered picture
#define IDB_DIALOG_FRAME 131       // a small dialog's frame, stretched by nine-grid
#define IDB_CLOSE_BUTTON 132       // title-band close button, 4 frames
#define IDB_PUSH_BUTTON 133        // push button, 4 frames
#define IDB_MAIN_FRAME 134         // the main window's frame
#define IDB_MAXIMISE_BUTTON 135    // 4 frames
#define IDB_MINIMISE_BUTTON 136    // 4 frames
#define IDB_RESTORE_BUTTON 137     // 4 frames
#define IDB_HIDE_BUTTON 138        // the boss button, 4 frames
#define IDB_MENU_BUTTON 139        // the system menu's button, 4 frames
#define IDB_TAB 140                // a tab, 3 frames: normal, hover, current
#define IDB_TAB_CLOSE 141          // a tab's close box, 3 frames
#define IDB_ADD_ACCOUNT_LINK 142   // the "登录其他账号" link's background
#define IDB_NOTICE_PICTURE_AND_TEXT 143  // notice backgrounds and buttons
#define IDB_NOTICE_CLOSE 144
#define IDB_NOTICE_PICTURE_CLOSE 145  // the close button of the picture-only notice
#define IDB_NOTICE_PICTURE_ONLY 146
#define IDB_NOTICE_TEXT_ONLY 147
#define IDB_SOUND_OFF 148          // the sound button while muted, 4 frames
#define IDB_SOUND_ON 149           // 4 frames
#define IDB_BANNER 150             // the portal's banners
#define IDB_BANNER_HOVER 151
#define IDB_PROGRESS_BACK 152      // the update's progress bar
#define IDB_PROGRESS_FILL 153
#define IDB_ADD_ACCOUNT_BACKGROUND 162
#define IDB_TAB_MUTED 163          // a muted account's mark on its tab, 3 frames: on a normal, hot, current tab

// The skin comes in sets for 96, 144 and 192 DPI (1x, 1.5x, 2x): image `id`
// of the set n steps up has the id id + n * IDB_SKIN_SET_STEP.
#define IDB_SKIN_SET_STEP 1000
