// Templates and controls that only the tests use
#pragma once

#define IDD_TEST_EXCHANGE       9000
#define IDC_TEST_LIST           9001
#define IDC_TEST_COMBO          9002
#define IDC_TEST_EDIT           9003
#define IDC_TEST_CHECK          9004
#define IDC_TEST_BUTTON         9005
