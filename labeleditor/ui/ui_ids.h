#pragma once
// Numbers of the label editor's window: commands of the frame, the application and the list
// views, menu resources, control-bar ids and the strings the window shows. The document's own
// commands live in labeleditor/document/document_ids.h.

namespace tovik::label {

// Application commands.
constexpr unsigned ID_FILE_PRINT_SETUP = 57606;
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;

// Frame commands.
constexpr unsigned ID_FILE_PRINT = 57607;
constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;
constexpr unsigned ID_SWITCH_LIST = 32776;
constexpr unsigned ID_VIEW_TOOLBAR = 59392;     // also the tool bar's control id
constexpr unsigned ID_VIEW_STATUS_BAR = 59393;  // also the status bar's control id
constexpr unsigned ID_VIEW_FORMATBAR = 32820;   // also the format bar's control id
constexpr unsigned ID_HELP_FINDER = 57667;
constexpr unsigned ID_CONTEXT_HELP = 57669;
constexpr unsigned ID_HELP = 57670;
constexpr unsigned ID_DEFAULT_HELP = 57671;
constexpr unsigned ID_NEXT_PANE = 57680;
constexpr unsigned ID_PREV_PANE = 57681;

// List view commands.
constexpr unsigned ID_TRACK_DELETE = 32774;
constexpr unsigned ID_NAME_EDIT = 32775;
constexpr unsigned ID_TRACK_INSERT = 32816;      // after the selection
constexpr unsigned ID_TRACK_INSERT_TOP = 32821;  // before the selection

// Menu resources.
constexpr unsigned IDR_MAINFRAME = 128;  // menu bar, accelerators, tool bar, caption string
constexpr unsigned IDR_TRACK_ROW_MENU = 104;
constexpr unsigned IDR_TITLE_MENU = 105;
constexpr unsigned IDR_FIRST_TRACK_MENU = 153;
constexpr unsigned IDR_NO_TRACK_MENU = 154;

// Notification codes of the format bar handled by the window.
constexpr int NM_RETURN = -4;

// Strings.
constexpr unsigned IDS_ABOUT_CAPTION = 100;
constexpr unsigned IDS_ABOUT_VERSION = 101;
constexpr unsigned IDS_HELP_CAPTION = 102;
constexpr unsigned IDS_FORMAT_BAR_CAPTION = 167;
constexpr unsigned IDS_APP_TITLE = 57344;
constexpr unsigned IDS_IDLE_MESSAGE = 57345;
constexpr unsigned IDS_SAVE_FILE_CAPTION = 61441;
constexpr unsigned IDS_ALL_FILES_FILTER = 61446;
constexpr unsigned IDS_PRINT_TITLE_HEADER = 61449;
constexpr unsigned IDS_MD_TITLE_HEADER = 61450;
constexpr unsigned IDS_PRINT_TRACK_HEADER = 61452;
constexpr unsigned IDS_MD_TRACK_HEADER = 61453;
constexpr unsigned IDS_DELETE_TRACK_QUESTION = 61454;

// The window class by which other programs find the label editor.
constexpr const char* kSleevonWindowClass = "Sleevon";

// The profile section of window, splitter and column sizes.
constexpr const char* kSizeSection = "SIZE";

}  // namespace tovik::label
