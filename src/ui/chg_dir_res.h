// Resource identifiers of the select-directory dialog (range 300-399).
#pragma once
#define IDD_FORM3 300
#define IDC_FORM3_EDIT1 301
#define IDC_FORM3_NOTE 302
#define IDC_FORM3_DIRS 303
#define IDC_FORM3_DRIVES 304
