/* Identifiers of the program's resources: dialog templates, controls, menu
   commands, bitmaps and strings. Shared by sfp.rc and the code; Windows-free. */
#ifndef SFP_RESOURCE_H
#define SFP_RESOURCE_H

/* Dialog templates */
#define IDD_ABOUTBOX 100
#define IDD_MAIN_PANEL 103
#define IDD_STATUS_PANEL 106
#define IDD_SELECT_INSTRUMENT 107
#define IDD_AM_PANEL 116
#define IDD_FM_PANEL 117
#define IDD_BM_PANEL 118
#define IDD_SWEEP_PANEL 119
#define IDD_FSK_PANEL 124
#define IDD_IO_LOG 125
#define IDD_CONNECTION 126

/* The program's version, as the About box and a setup file give it */
#define SFP_VERSION "A.01.01"

/* Menu, bitmaps, icon */
#define IDR_MAINMENU 102
#define IDB_LOGO 104
#define IDB_PNP_LOGO 105
/* The two logos again, drawn for screens at 150 % and 200 % */
#define IDB_LOGO_150 110
#define IDB_LOGO_200 111
#define IDB_PNP_LOGO_150 112
#define IDB_PNP_LOGO_200 113
#define IDI_APP 128

/* Menu commands */
#define ID_SYSTEM_SELFTEST 32771
#define ID_SYSTEM_SYNC 32772
#define ID_SYSTEM_EXIT 32773
#define ID_SYSTEM_RESET 32774
#define ID_HELP_CONTENTS 32775
#define ID_HELP_ABOUT 32776
#define ID_PANELS_MAIN 32777
#define ID_PANELS_STATUS 32778
#define ID_PANELS_AM 32781
#define ID_PANELS_BM 32782
#define ID_PANELS_FM 32783
#define ID_PANELS_SWEEP 32784
#define ID_PANELS_FSK 32785
#define ID_SYSTEM_SAVE_SETUP 32786
#define ID_SYSTEM_RECALL_SETUP 32787
#define ID_SYSTEM_IO_LOG 32788
#define ID_SYSTEM_CONNECT 32789
#define ID_SYSTEM_RECONNECT 32790
#define ID_HELP_INDEX 57666

/* Labels and other controls the code never addresses */
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* Select Instrument dialog */
#define IDC_RESOURCE_LIST 1042

/* Main panel */
#define IDC_MAIN_HEADER 1000
#define IDC_MAIN_PNP_LOGO 1001
#define IDC_MAIN_LOGO 1002
#define IDC_MAIN_LAMP 1004
#define IDC_MAIN_LAMP_STRIP 1006
#define IDC_MAIN_ADDRESS 1011
#define IDC_MAIN_FRAME 1012
#define IDC_MAIN_FUNC 1056
#define IDC_MAIN_FREQ 1057
#define IDC_MAIN_FREQ_SPIN 1058
#define IDC_MAIN_AMPL_SPIN 1059
#define IDC_MAIN_AMPL 1060
#define IDC_MAIN_OFFSET_SPIN 1061
#define IDC_MAIN_OFFSET 1062
#define IDC_MAIN_LOAD 1063
#define IDC_MAIN_DUTY 1064
#define IDC_MAIN_DUTY_SPIN 1065
#define IDC_MAIN_USER 1066
#define IDC_MAIN_USER_SPIN 1067

/* Status panel */
#define IDC_STAT_READ_ERROR 1015
#define IDC_STAT_ERROR_NUMBER 1016
#define IDC_STAT_ERROR_MESSAGE 1017
#define IDC_STAT_TITLE 1018
#define IDC_STAT_STATUS_BYTE 1022
#define IDC_STAT_OPC 1023
#define IDC_STAT_STATUS_FRAME 1024
#define IDC_STAT_CLEAR 1025
#define IDC_STAT_ERROR_FRAME 1026
#define IDC_STAT_PHASE_LOCK 1027
#define IDC_STAT_OPC_FRAME 1049

/* AM panel */
#define IDC_AM_TITLE 1066
#define IDC_AM_FUNC 1068
#define IDC_AM_SOURCE 1069
#define IDC_AM_DEPTH 1070
#define IDC_AM_DEPTH_SPIN 1071
#define IDC_AM_USER 1072
#define IDC_AM_USER_SPIN 1073
#define IDC_AM_FREQ 1074
#define IDC_AM_FREQ_SPIN 1075
#define IDC_AM_STATE 1076

/* FM panel */
#define IDC_FM_TITLE 1064
#define IDC_FM_FUNC 1077
#define IDC_FM_USER 1078
#define IDC_FM_USER_SPIN 1079
#define IDC_FM_DEV 1080
#define IDC_FM_DEV_SPIN 1081
#define IDC_FM_FREQ_SPIN 1082
#define IDC_FM_FREQ 1083
#define IDC_FM_STATE 1084

/* BM panel */
#define IDC_BM_TITLE 1067
#define IDC_BM_TRIG_SOURCE 1092
#define IDC_BM_MODE 1094
#define IDC_BM_SLOPE 1098
#define IDC_BM_STATE 1099
#define IDC_BM_BUS_TRIGGER 1100
#define IDC_BM_COUNT 1101
#define IDC_BM_PHASE 1102
#define IDC_BM_RATE 1103
#define IDC_BM_COUNT_SPIN 1104
#define IDC_BM_RATE_SPIN 1105
#define IDC_BM_PHASE_SPIN 1106

/* Sweep panel */
#define IDC_SWEEP_TITLE 1065
#define IDC_SWEEP_START 1085
#define IDC_SWEEP_START_SPIN 1086
#define IDC_SWEEP_STOP 1087
#define IDC_SWEEP_STOP_SPIN 1088
#define IDC_SWEEP_TIME_SPIN 1089
#define IDC_SWEEP_TIME 1090
#define IDC_SWEEP_SPACING 1091
#define IDC_SWEEP_STATE 1093
#define IDC_SWEEP_TRIG_SOURCE 1094
#define IDC_SWEEP_SLOPE 1113
#define IDC_SWEEP_BUS_TRIGGER 1114

/* FSK panel */
#define IDC_FSK_TITLE 1105
#define IDC_FSK_FREQ 1106
#define IDC_FSK_RATE 1107
#define IDC_FSK_RATE_SPIN 1108
#define IDC_FSK_FREQ_SPIN 1109
#define IDC_FSK_SOURCE 1110
#define IDC_FSK_TRIG_SOURCE 1111
#define IDC_FSK_STATE 1112

/* I/O log window */
#define IDC_IOLOG_CLEAR 1120
#define IDC_IOLOG_COPY 1121
#define IDC_IOLOG_COPY_SCRIPT 1122
#define IDC_IOLOG_SAVE 1123
#define IDC_IOLOG_TO_FILE 1124
#define IDC_IOLOG_NOTE 1125
#define IDC_IOLOG_LIST 1126
#define IDC_IOLOG_DETAILS 1150

/* Connection window */
#define IDC_CONNECTION_TEXT 1130
#define IDC_CONNECTION_RECONNECT 1131
#define IDC_CONNECTION_NON_LIVE 1132

/* Strings */
#define SFP_STRING(id, name, text) enum { name = id };
#ifndef RC_INVOKED
#include "strings.inc"
#endif
#undef SFP_STRING

#endif
