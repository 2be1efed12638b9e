// Resource and control ids, shared by the resource scripts, the window and the tests.
#pragma once

// The application icon: the first icon of the exe, which Explorer shows.
#define IDI_APP 1

#define IDR_MENU 100
#define IDR_ACCELERATORS 104

#define IDM_OPEN 101
#define IDM_SAVE 102
#define IDM_EXIT 103

// Text<n> has id IDC_TEXT_BASE + n, Label<n> has id IDC_LABEL_BASE + n.
#define IDC_TEXT_BASE 1000
#define IDC_LABEL_BASE 2000
