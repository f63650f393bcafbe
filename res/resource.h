// Control ids shared by the dialog templates and the code.
#pragma once

// Selection dialog FontDial.
#define IDC_FONTLIST 100
#define IDC_SELCOUNT 110
#define IDC_DELETE 120
#define IDC_SELECTALL 130
#define IDC_UNSELECTALL 131

// Progress dialog FontStat.
#define IDC_FILELABEL 102
#define IDC_STATFONT 111
#define IDC_STATFILE 112
#define IDC_PROGRESS 140
