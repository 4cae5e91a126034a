// Ids of Vantrel's secondary windows and their controls, shared by the
// resource script and the code. Plain #defines: the resource compiler
// reads this file too.
#pragma once

// Dialogs.
#define IDD_PROGRAM_GROUPS 200
#define IDD_OPTIONS 201
#define IDD_TIP 202
#define IDD_ABOUT 203

// The program-group editor.
#define IDC_PG_TREE 2100
#define IDC_PG_ADD_NEW 2101
#define IDC_PG_EDIT 2102
#define IDC_PG_GROUP_LABEL 2103
#define IDC_PG_GROUP 2104
#define IDC_PG_PATH_LABEL 2105
#define IDC_PG_PATH 2106
#define IDC_PG_BROWSE 2107
#define IDC_PG_PARAMETERS_LABEL 2108
#define IDC_PG_PARAMETERS 2109
#define IDC_PG_DELAY_LABEL 2110
#define IDC_PG_DELAY 2111
#define IDC_PG_SECONDS 2112
#define IDC_PG_ADD 2113
#define IDC_PG_REMOVE 2114
#define IDC_PG_ADD_GROUP 2115
#define IDC_PG_EDIT_GROUP 2116
#define IDC_PG_MESSAGE 2117

// The options window.
#define IDC_OPT_PAGES 2200
#define IDC_OPT_FRAME 2201
#define IDC_OPT_TITLE 2202
#define IDC_OPT_EXAMPLE 2203
#define IDC_OPT_DELAY_LABEL 2204
#define IDC_OPT_DELAY 2205
#define IDC_OPT_SECONDS 2206
#define IDC_OPT_RUN_LABEL 2207
#define IDC_OPT_RUN 2208
#define IDC_OPT_CLOSE_LABEL 2209
#define IDC_OPT_CLOSE 2210
#define IDC_OPT_SHOW_TIPS 2211
#define IDC_OPT_TAKE_BACK 2212

// The tip of the day.
#define IDC_TIP_PICTURE 2300
#define IDC_TIP_HEADING 2301
#define IDC_TIP_TEXT 2302
#define IDC_TIP_NEXT 2303
#define IDC_TIP_SHOW 2304

// The about window.
#define IDC_ABOUT_ICON 2400
#define IDC_ABOUT_TITLE 2401
#define IDC_ABOUT_VERSION 2402
#define IDC_ABOUT_DESCRIPTION 2403
#define IDC_ABOUT_FORUM_LABEL 2404
#define IDC_ABOUT_FORUM 2405
#define IDC_ABOUT_UPDATES_LABEL 2406
#define IDC_ABOUT_UPDATES 2407
#define IDC_ABOUT_VENDOR 2408
