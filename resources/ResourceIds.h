// Identifiers of the plug-in's resources, shared by the resource script and the code.
// Plain #defines: the resource compiler reads this file too.
#pragma once

// Dialog, menu, pictures and cursor.
#define IDD_CONFIG 101
#define IDR_POPUP_MENUS 102
#define IDB_PLEDIT 103
#define IDB_TEXT 104
#define IDB_POSBAR 106
#define IDB_CAMPAIGN_PICTURE 109
#define IDB_CAMPAIGN_BANNER 112
#define IDCUR_LINK_HAND 113

// Menu commands: the list popup (first popup) and the main popup (second).
#define ID_LIST_FILE_INFO 40001
#define ID_LIST_PLAY 40003
#define ID_LIST_MINIBROWSER 40004
#define ID_MAIN_SETTINGS 40005
#define ID_EXTRACT_BESIDE_ARCHIVE 40012
#define ID_EXTRACT_CHOSEN_FOLDER 40013
#define ID_EXTRACT_TO_DESKTOP 40014

// Controls of the configuration dialog.
#define IDC_SHOW_ONLY_UNCOMPRESSED 1000
#define IDC_SHOW_ONLY_ZIP 1001
#define IDC_TIMEBAR 1002
#define IDC_NORMAL 1010
#define IDC_NORMAL_VARIABLES 1011
#define IDC_USE_ID3 1012
#define IDC_ID3 1013
#define IDC_ID3_VARIABLES 1014
#define IDC_USE_COMPILATION 1015
#define IDC_COMPILATION 1016
#define IDC_COMPILATION_VARIABLES 1017
#define IDC_FONT 1020
#define IDC_AUTHOR_LINK 1021
#define IDC_CAMPAIGN_PICTURE 1022
#define IDC_CAMPAIGN_BANNER 1023

// The pages behind the About box links; the author's address is also the text of its link. Both are
// names of the documentation domain until the real pages are known.
#define TC_AUTHOR_PAGE_URL "http://example.com/"
#define TC_CAMPAIGN_PAGE_URL "http://example.com/nocccd/"
