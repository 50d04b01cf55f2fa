// Resource identifiers of the wizard (range 200-299 and 1000-1799).
#pragma once
#define IDD_ZEL 200
// Bottom bar (Panel1).
#define IDC_ZEL_CANCEL 202
#define IDC_ZEL_BACK 205
#define IDC_ZEL_NEXT 206
#define IDC_ZEL_INSTALL 204
#define IDC_ZEL_PANEL 207
// The controls of page p have identifiers 1000 + 100 * p to 1099 + 100 * p.
#define IDC_PAGE_FIRST 1000
#define IDC_PAGE_STEP 100
// page1
#define IDC_P0_ICON 1000
#define IDC_MEMO1 1001
// Page2
#define IDC_P1_TEXT 1100
#define IDC_MEMO3 1101
#define IDC_P1_NOTE 1102
#define IDC_DECLINE 1103
#define IDC_ACCEPT 1104
// Page3
#define IDC_P2_ICON 1200
#define IDC_P2_TEXT 1201
#define IDC_P2_GROUP 1202
#define IDC_LABEL1 1203
#define IDC_BROWSE 1204
// Page4
#define IDC_P3_HEAD 1300
#define IDC_P3_MAIN 1301
#define IDC_CREATEFOLDER 1302
#define IDC_CHECKBOX1 1303
#define IDC_CHECKBOX2 1304
#define IDC_P3_DK 1305
#define IDC_DK 1306
#define IDC_P3_SM 1307
#define IDC_SM 1308
// installtype
#define IDC_P4_HEAD 1400
#define IDC_FULL 1401
#define IDC_MIN 1402
// Page5
#define IDC_P5_HEAD 1500
#define IDC_RADIOBUTTON1 1501
#define IDC_LABEL2 1502
#define IDC_RADIOBUTTON2 1503
#define IDC_REBOOT 1504
#define IDC_MEMO4 1505
// install
#define IDC_SOURCE 1600
#define IDC_DEST 1601
#define IDC_PROGRESSBAR1 1602
#define IDC_PAGE_LAST 1699
