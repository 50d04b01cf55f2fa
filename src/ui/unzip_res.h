// Resource identifiers of the preparation window (range 400-499).
#pragma once
#define IDD_UNZIP 400
#define IDC_UNZIP_LABEL1 401
