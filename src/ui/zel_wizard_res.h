// Resource identifiers of the wizard (range 200-299).
#pragma once
#define IDD_ZEL 200
#define IDC_ZEL_STATUS 201
#define IDC_ZEL_CANCEL 202
#define IDC_ZEL_DECLINE 203
#define IDC_ZEL_INSTALL 204
