// Control ids shared by the test dialogs and the tests.
#pragma once

#define IDC_LABEL 10
#define IDC_FIRST 11
#define IDC_CHECK 12
#define IDC_LIST 13
#define IDC_DISABLED 14
#define IDC_HIDDEN 15
