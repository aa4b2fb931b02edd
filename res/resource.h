// Resource ids of Kovana. Templates, bitmaps and controls are referred to by
// these names only; the numbers are fixed because stored files and the
// launcher windows' tables rely on them.
#pragma once

// Application icon
#define IDR_MAINFRAME                   128

// Dialog templates
#define IDD_MODERN_LAUNCHER             102
#define IDD_INFO_PAGE                   175
#define IDD_CONFIG_PAGE                 176
#define IDD_JOYSTICK_PAGE               177
#define IDD_SOUND_PAGE                  178
#define IDD_KEYBOARD_PAGE               179
#define IDD_MISC_PAGE                   180
#define IDD_EMULATOR_PAGE               185
#define IDD_KICKSTART_PAGE              186
#define IDD_VIDEO_PAGE                  187
#define IDD_MEMORY_PAGE                 188
#define IDD_HARDDISK_PAGE               189
#define IDD_FLOPPY_PAGE                 190
#define IDD_TAB_LAUNCHER                265
#define IDD_LIST_LAUNCHER               267
#define IDD_HARDDISK_NAME               272
#define IDD_CONFIG_NAME                 303
#define IDD_MAIN                        313
#define IDD_WRITE_PROGRESS              314

// Page icon bitmaps (35 by 36 pixels, RGB(254,254,254) transparent)
#define IDB_PAGE_CONFIG                 221
#define IDB_PAGE_EMULATOR               224
#define IDB_PAGE_FLOPPY                 227
#define IDB_PAGE_HARDDISK               230
#define IDB_PAGE_INFO                   233
#define IDB_PAGE_JOYSTICK               236
#define IDB_PAGE_KEYBOARD               239
#define IDB_PAGE_KICKSTART              242
#define IDB_PAGE_MEMORY                 251
#define IDB_PAGE_MISC                   254
#define IDB_PAGE_SOUND                  257
#define IDB_PAGE_VIDEO                  260
// The same icons at 150 % and 200 % of that size (51 by 54 and 68 by 72
// pixels, 24-bit colour, the same transparent colour): the ids above plus these
#define IDB_PAGE_150                    1000
#define IDB_PAGE_200                    2000

// Tab launcher window
#define IDC_TAB_PAGES                   1010
#define IDC_TAB_PAGE_AREA               1011
#define IDC_TAB_PAGE_ICON               1150

// List launcher window
#define IDC_LIST_PAGE_AREA              1007
#define IDC_LIST_PAGES                  1012
// Modern launcher window: the picture buttons run in this order, the
// twelve pages in page order, then Leave and Launch
#define IDC_MODERN_PAGE_AREA            1007
#define IDC_MODERN_EMULATOR             1103
#define IDC_MODERN_KICKSTART            1104
#define IDC_MODERN_VIDEO                1105
#define IDC_MODERN_MEMORY               1106
#define IDC_MODERN_HARDDISK             1107
#define IDC_MODERN_FLOPPY               1108
#define IDC_MODERN_JOYSTICK             1109
#define IDC_MODERN_SOUND                1110
#define IDC_MODERN_KEYBOARD             1111
#define IDC_MODERN_MISC                 1112
#define IDC_MODERN_CONFIG               1113
#define IDC_MODERN_INFO                 1114
#define IDC_MODERN_LEAVE                1115
#define IDC_MODERN_LAUNCH               1116

// Config page and configuration name dialog
#define IDC_CONFIG_DELETE               1050
#define IDC_CONFIG_LOAD                 1051
#define IDC_CONFIG_SAVE                 1049
#define IDC_CONFIG_NEW                  1052
#define IDC_CONFIG_LIST                 1104
#define IDC_CONFIG_NAME                 1105

// The window that shows how far a long write of the profile has come
#define IDC_WRITE_PROGRESS              1160

// Emulator page
#define IDC_EMULATOR_BROWSE             1053
#define IDC_EMULATOR_PATH               1054
#define IDC_EMULATOR_SPEED              1131
#define IDC_EMULATOR_PRIORITY           1135
#define IDC_EMULATOR_TYPE               1138
#define IDC_EMULATOR_PRIORITY_VALUE     1146
#define IDC_EMULATOR_SPEED_VALUE        1147

// Joystick and Keyboard pages
#define IDC_JOYSTICK_EMULATION          1059
#define IDC_KEYBOARD_LAYOUT             1060

// Sound page
#define IDC_SOUND_EMULATION             1070
#define IDC_SOUND_BITS                  1071
#define IDC_SOUND_BUFFER                1072
#define IDC_SOUND_FREQUENCY             1074

// Video page
#define IDC_VIDEO_CENTER_VERTICALLY     1076
#define IDC_VIDEO_DOUBLE_HEIGHT         1077
#define IDC_VIDEO_LOWRES                1078
#define IDC_VIDEO_CENTER_HORIZONTALLY   1079
#define IDC_VIDEO_1081_EMULATION        1080
#define IDC_VIDEO_DESKTOP_WINDOW        1081
#define IDC_VIDEO_CORRECT_ASPECT        1082
#define IDC_VIDEO_RESOLUTION            1129
#define IDC_VIDEO_FRAME_RATE            1134
#define IDC_VIDEO_FRAME_RATE_VALUE      1148

// Kickstart page
#define IDC_KICKSTART_BROWSE            1055
#define IDC_KICKSTART_PATH              1082
#define IDC_KICKSTART_VERSION           1139
// Memory page
#define IDC_MEMORY_FAST                 1130
#define IDC_MEMORY_CHIP                 1131
#define IDC_MEMORY_SLOW                 1132
#define IDC_MEMORY_FAST_SIZE            1145
#define IDC_MEMORY_CHIP_SIZE            1146
#define IDC_MEMORY_SLOW_SIZE            1147

// Info page
#define IDC_INFO_BROWSE                 1007
#define IDC_INFO_STYLE                  1134
#define IDC_INFO_DOS_EMULATOR_PATH      1142
// Misc page
#define IDC_MISC_DEBUGGER               1065
#define IDC_MISC_ILLEGAL_INSTRUCTIONS   1066
#define IDC_MISC_ACCURACY               1132
#define IDC_MISC_SYSTEM_CLOCK           1133
#define IDC_MISC_IMMEDIATE_BLITS        1136
#define IDC_MISC_32BIT_BLITS            1137
// Hard disk page and hard disk name dialog
#define IDC_HARDDISK_LIST               1058
#define IDC_HARDDISK_DELETE             1084
#define IDC_HARDDISK_EDIT               1085
#define IDC_HARDDISK_NAME               1086
#define IDC_HARDDISK_READ_ONLY          1087
#define IDC_HARDDISK_GROUP              1152
// Floppy page
#define IDC_FLOPPY_CATALOG              1006
#define IDC_FLOPPY_LIST                 1107
#define IDC_FLOPPY_INSERT               1108
#define IDC_FLOPPY_EJECT                1109
#define IDC_FLOPPY_PROGRESS             1140
