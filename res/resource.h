/* Resource ids of card.exe: templates, icon, cursor and the controls of the three dialogs.
   Read by card.rc (through the resource compiler) and by the C++ code. */
#ifndef CARD_RES_RESOURCE_H
#define CARD_RES_RESOURCE_H

/* The card window. Repeat and Close are IDOK and IDCANCEL. */
#define IDD_CARD 102
#define IDC_VISIT_US 1001
#define IDC_MAKE_NEW_CARD 1002
#define IDC_MESSAGE_LEFT 1005
#define IDC_MESSAGE_CENTRED 1006

/* The new-message dialog. */
#define IDD_NEW_MESSAGE 129
#define IDC_NEW_MESSAGE_LEFT 1000
#define IDC_NEW_MESSAGE_CENTRED 1004
#define IDC_NEW_MESSAGE_CENTRED_CHECK 1005

/* The dialog that names the new card file. */
#define IDD_FILE_CREATED 135
#define IDC_FILE_CREATED_TEXT 1005
#define IDC_START_EMAIL 1000
#define IDC_FILE_CREATED_OK 1001

#define IDI_CARD 128
#define IDC_HAND_POINTER 133

/* The manifest that gives the new-message and result dialogs Common Controls 6. */
#define IDR_VISUAL_STYLES 3

#endif
