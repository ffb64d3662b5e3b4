#pragma once

// Identifiers shared by the resource script and the code. The form's controls keep the numbers
// the program has always given them.
#define IDI_ORVANDEL 1
#define IDD_MAIN_FORM 101

#define IDC_PREVIEW 1000
#define IDC_MAP 1001
#define IDC_EXPORT 1002
#define IDC_TURN_LEFT 1003
#define IDC_MOVE_FORWARD 1004
#define IDC_TURN_RIGHT 1005
#define IDC_MOVE_LEFT 1006
#define IDC_MOVE_BACK 1007
#define IDC_MOVE_RIGHT 1008
#define IDC_RELOAD 1009
#define IDC_EVEN_ODD 1010
#define IDC_POSITION 1011
#define IDC_MAP_NOTE 1012

// Context-menu commands.
#define IDM_COPY_VIEW 2001
#define IDM_SAVE_VIEW 2002
#define IDM_SHOW_PROBLEMS 2003
#define IDM_RELOAD_AUTOMATICALLY 2004
#define IDM_LOAD_TEST_MAP 2005
#define IDM_SAVE_TEST_MAP 2006
#define IDM_RESET_TEST_MAP 2007
