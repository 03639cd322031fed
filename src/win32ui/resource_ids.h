#pragma once

// Identifiers shared by the resource script and the code. Plain defines: the resource compiler
// reads this file too. Control identifiers follow the forms' control names.

#define IDI_LUMENQUILL 1
#define IDI_TOOL_OPEN 2
#define IDI_TOOL_OPTIONS 3
#define IDI_TOOL_HELP 4
#define IDI_TOOL_HOME 5
#define IDB_DROP 10
#define IDB_DROP_2X 11

#define IDR_MAIN_MENU 100
#define IDR_MAIN_ACCELERATORS 101

// Main menu commands (the menu items' names in comments).
#define IDM_OPEN 200        // PDF1
#define IDM_EXIT 201        // Exit1
#define IDM_TOOL_BAR 202    // N10
#define IDM_STATUS_BAR 203  // N11
#define IDM_ON_TOP 204      // N12
#define IDM_OPTIONS 205     // N7
#define IDM_README 206      // Contents1
#define IDM_HOME 207        // GoHome

#define IDD_OPTIONS 300
#define IDC_OPTION_GROUPBOX1 301
#define IDC_OPTION_CHECKBOX1 302
#define IDC_OPTION_CHECKBOX2 303
#define IDC_OPTION_GROUPBOX2 304
#define IDC_OPTION_RADIOBUTTON1 305
#define IDC_OPTION_RADIOBUTTON2 306
#define IDC_OPTION_LABEL1 307
#define IDC_OPTION_COMBOBOX1 308
#define IDC_OPTION_GROUPBOX3 309
#define IDC_OPTION_CHECKBOX5 310
#define IDC_OPTION_LABEL2 311
#define IDC_OPTION_CHECKBOX6 312
#define IDC_OPTION_CHECKBOX7 313
#define IDC_OPTION_CHECKBOX8 314
#define IDC_OPTION_GROUPBOX4 315
#define IDC_OPTION_CHECKBOX9 316

#define IDD_PAGE 400
#define IDC_PAGE_LABEL3 401
#define IDC_PAGE_EDIT1 402
#define IDC_PAGE_LABEL2 403
#define IDC_PAGE_EDIT2 404
#define IDC_PAGE_LABEL1 405

#define IDD_PROGRESS 500
#define IDC_PROGRESS_PROGRESSBAR1 501
#define IDC_PROGRESS_BUTTON1 502
#define IDC_PROGRESS_LABEL1 503
