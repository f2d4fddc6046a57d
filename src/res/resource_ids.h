// SPDX-License-Identifier: MIT
// The names of the program's resources, as a resource script's resource.h
// gives them: the dialog templates, the icon and every control. The numbers
// are the resources' own and must not change: the templates, the message
// maps and the data exchange all find a control by its number.
#pragma once

// Dialog templates.
constexpr int IDD_ENTRY = 102;       // the entry form
constexpr int IDD_LANGUAGE = 130;    // the language choice
constexpr int IDD_LIST = 133;        // a list dialog the program never opens
constexpr int IDD_ROUTE_FILE = 134;  // the route file chooser

// The program's icon.
constexpr int IDI_QUILLPOST = 128;

// The entry form. The degree, minute and second signs follow the fields
// they stand behind.
constexpr int IDC_NAME_LABEL = 1001;
constexpr int IDC_NAME = 1002;
constexpr int IDC_LAT_LABEL = 1011;
constexpr int IDC_LAT_DEG = 1012;
constexpr int IDC_LAT_DEG_SIGN = 1013;
constexpr int IDC_LAT_MIN = 1014;
constexpr int IDC_LAT_MIN_SIGN = 1015;
constexpr int IDC_LAT_SEC = 1016;
constexpr int IDC_LAT_SEC_SIGN = 1017;
constexpr int IDC_LAT_HEMISPHERE = 1018;
constexpr int IDC_LONG_LABEL = 1019;
constexpr int IDC_LONG_DEG = 1020;
constexpr int IDC_LONG_DEG_SIGN = 1021;
constexpr int IDC_LONG_MIN = 1022;
constexpr int IDC_LONG_MIN_SIGN = 1023;
constexpr int IDC_LONG_SEC = 1024;
constexpr int IDC_LONG_SEC_SIGN = 1025;
constexpr int IDC_LONG_HEMISPHERE = 1026;
constexpr int IDC_NORTH_LABEL = 1027;
constexpr int IDC_NORTH = 1028;
constexpr int IDC_EAST_LABEL = 1029;
constexpr int IDC_EAST = 1030;
constexpr int IDC_ZONE_LABEL = 1031;
constexpr int IDC_ZONE = 1032;
constexpr int IDC_FORMAT_LABEL = 1033;
constexpr int IDC_FORMAT = 1034;
constexpr int IDC_ADD = 1042;

// The unused list dialog.
constexpr int IDC_LIST = 1044;

// The language choice.
constexpr int IDC_GERMAN = 1045;
constexpr int IDC_ENGLISH = 1046;

// The route file chooser.
constexpr int IDC_ROUTE_FILES = 1047;
// Says where the chooser looked when it found no route file; it takes the
// list's place then.
constexpr int IDC_ROUTE_NOTE = 1048;
