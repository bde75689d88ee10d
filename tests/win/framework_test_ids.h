// Resource ids of the framework tests' own pages.
#pragma once

#define IDD_TEST_PAGE_A 900
#define IDD_TEST_PAGE_B 901
#define IDS_TEST_SHEET 902
#define IDC_TEST_NUMBER 910
#define IDC_TEST_TEXT 911
#define IDC_TEST_CHECK 912
#define IDC_TEST_RADIO0 913
#define IDC_TEST_RADIO1 914
#define IDC_TEST_RADIO2 915
#define IDC_TEST_COMBO 916
#define IDC_TEST_OTHER 920
