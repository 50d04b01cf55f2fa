// Resource identifiers of the preparation window (range 400-499).
#pragma once
#define IDD_UNZIP 400
#define IDC_UNZIP_LABEL1 401
#define IDC_UNZIP_ANIMATOR 402
#define IDC_UNZIP_PANEL 403
#define IDC_UNZIP_PROGRESS 404
