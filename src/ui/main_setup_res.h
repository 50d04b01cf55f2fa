// Resource identifiers of the background window and the program (range 100-199).
#pragma once
#define IDI_MAINICON 100
#define IDC_SETUP_HEADER 110
#define IDC_SETUP_HEADER2 111
#define IDC_IMAGE1 112
#define IDC_FOOTER 113
#define IDC_BITMAPSCREEN 114
