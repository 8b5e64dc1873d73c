#pragma once
// Command identifiers the main frame handles itself; the document's own commands are
// declared with the document.

enum : int {
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_PROTECTION = 32790,
    ID_IDENTIFY_BLACKBOXES = 32792,
    ID_NEXT_BOARD = 32794,
    ID_PREV_BOARD = 32795,
    ID_VIEW_PAGINATION = 32805,
    ID_MEASURE_SAVE_VALUES = 32840,
    ID_MEASURE_SAVE_CHART = 32841,
};

// Strings of the frame.
enum : int {
    IDS_APP_TITLE = 57344,
    IDS_IDLE_MESSAGE = 57345,
    IDS_COMPANY = 131,
    IDS_INDICATOR_CAPS = 59137,
    IDS_INDICATOR_NUM = 59138,
    IDS_INDICATOR_SCRL = 59139,
    IDS_UNTITLED = 61443,
};
