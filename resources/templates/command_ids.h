#pragma once
// Numeric command IDs shared by menus, toolbars, accelerators and handlers.

enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PAGE_SETUP = 57605,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_READ_RADIO = 32771,
    ID_WRITE_RADIO = 32772,
    ID_PORT = 32773,
    ID_LANGUAGE = 32774,
    ID_HELP_FILE = 32775,
    ID_TEST_MODE = 32779,
    ID_FILE_EXPORT_PDF = 32780,
    ID_FILE_EXPORT_CHANNELS = 32781,
    ID_FILE_IMPORT_CHANNELS = 32782,
    ID_VERIFY_RADIO = 32783,
};

// Resource IDs of the frame (menu, toolbar, accelerators, icon) and dialogs.
enum ResourceId : int {
    IDR_MAINFRAME = 128,
    IDS_INDICATOR_PORT = 129,
    ID_INDICATOR_NUM = 59138,
    IDD_ABOUTBOX = 100,
    IDD_VELMAR_FORM = 101,
    IDD_PORT = 130,
    IDD_LANGUAGE = 131,
    IDD_TRANSFER = 132,
    IDD_TEST_MODE = 137,
    IDD_TEST_PASSWORD = 139,
};

// Standard dialog button IDs.
enum DialogButtonId : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };
