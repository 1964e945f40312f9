// Menu, toolbar and accelerators of the main frame (resource 128).

#include "accel_template.h"
#include "command_ids.h"
#include "document_string.h"
#include "menu_template.h"
#include "toolbar_template.h"

namespace {
using K = MenuEntryKind;

const MenuEntry kMenu[] = {
    {K::Popup, 0, "文件(&F)"},
    {K::Command, ID_FILE_NEW, "新建(&N)\tCtrl+N"},
    {K::Command, ID_FILE_OPEN, "打开(&O)...\tCtrl+O"},
    {K::Command, ID_FILE_SAVE, "保存(&S)\tCtrl+S"},
    {K::Command, ID_FILE_SAVE_AS, "另存为(&A)..."},
    {K::Separator, 0, ""},
    {K::Command, ID_FILE_PRINT, "打印(&P)...\tCtrl+P"},
    {K::Command, ID_FILE_PRINT_PREVIEW, "打印预览(&V)"},
    {K::Command, ID_FILE_PRINT_SETUP, "打印设置(&R)..."},
    {K::Command, ID_FILE_EXPORT_PDF, "导出 PDF(&E)..."},
    {K::Command, ID_FILE_EXPORT_CHANNELS, "导出信道(&C)..."},
    {K::Command, ID_FILE_IMPORT_CHANNELS, "导入信道(&I)..."},
    {K::Separator, 0, ""},
    {K::RecentFiles, ID_FILE_MRU_FILE1, "最近的文件"},
    {K::Separator, 0, ""},
    {K::Command, ID_APP_EXIT, "退出(&X)"},
    {K::EndPopup, 0, ""},
    {K::Popup, 0, "编程(&P)"},
    {K::Command, ID_READ_RADIO, "读取数据(&R)\tCtrl+R"},
    {K::Command, ID_WRITE_RADIO, "写入数据(&W)\tCtrl+W"},
    {K::Command, ID_VERIFY_RADIO, "校验数据(&V)"},
    {K::Separator, 0, ""},
    {K::Command, ID_TEST_MODE, "测试模式(&T)\tCtrl+T"},
    {K::EndPopup, 0, ""},
    {K::Popup, 0, "设置(&S)"},
    {K::Command, ID_PORT, "通讯端口(&C)\tCtrl+C"},
    {K::Command, ID_LANGUAGE, "语言(&L)\tCtrl+L"},
    {K::EndPopup, 0, ""},
    {K::Popup, 0, "帮助(&H)"},
    {K::Command, ID_HELP_FILE, "帮助(&H)"},
    {K::Command, ID_APP_ABOUT, "关于(&A)..."},
    {K::EndPopup, 0, ""},
};

const int kToolbar[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0,
    ID_READ_RADIO, ID_WRITE_RADIO, 0,
    ID_FILE_PRINT, 0,
    ID_HELP_FILE, 0,
    ID_EDIT_UNDO, ID_EDIT_REDO,
};

const AccelEntry kAccel[] = {
    {'N', ACCEL_CONTROL, ID_FILE_NEW},
    {'O', ACCEL_CONTROL, ID_FILE_OPEN},
    {'S', ACCEL_CONTROL, ID_FILE_SAVE},
    {'P', ACCEL_CONTROL, ID_FILE_PRINT},
    {'R', ACCEL_CONTROL, ID_READ_RADIO},
    {'W', ACCEL_CONTROL, ID_WRITE_RADIO},
    {'T', ACCEL_CONTROL, ID_TEST_MODE},
    {'C', ACCEL_CONTROL, ID_PORT},
    {'L', ACCEL_CONTROL, ID_LANGUAGE},
    {'X', ACCEL_CONTROL, ID_EDIT_CUT},
    {VKEY_DELETE, ACCEL_SHIFT, ID_EDIT_CUT},
    {'V', ACCEL_CONTROL, ID_EDIT_PASTE},
    {VKEY_INSERT, ACCEL_SHIFT, ID_EDIT_PASTE},
    {VKEY_INSERT, ACCEL_CONTROL, ID_EDIT_COPY},
    {'Z', ACCEL_CONTROL, ID_EDIT_UNDO},
    {VKEY_BACK, ACCEL_ALT, ID_EDIT_UNDO},
    {'Y', ACCEL_CONTROL, ID_EDIT_REDO},
    {'Z', ACCEL_CONTROL | ACCEL_SHIFT, ID_EDIT_REDO},
    {VKEY_F6, 0, ID_NEXT_PANE},
    {VKEY_F6, ACCEL_SHIFT, ID_PREV_PANE},
};

const MenuTemplate kMenuTemplate = {IDR_MAINFRAME, kMenu, sizeof kMenu / sizeof kMenu[0]};
const ToolbarTemplate kToolbarTemplate = {IDR_MAINFRAME, 16, 15, kToolbar,
    sizeof kToolbar / sizeof kToolbar[0]};
const AccelTemplate kAccelTemplate = {IDR_MAINFRAME, kAccel, sizeof kAccel / sizeof kAccel[0]};
}

const MenuTemplate* FindMenuTemplate(int id)
{
    return id == kMenuTemplate.id ? &kMenuTemplate : nullptr;
}

const ToolbarTemplate* FindToolbarTemplate(int id)
{
    return id == kToolbarTemplate.id ? &kToolbarTemplate : nullptr;
}

const AccelTemplate* FindAccelTemplate(int id)
{
    return id == kAccelTemplate.id ? &kAccelTemplate : nullptr;
}

const DocumentString& MainDocumentString()
{
    static const DocumentString strings = {"PC Software", "Item", "",
        "Radio Program Data Files(*.dig)", ".dig", "Velmar.Document"};
    return strings;
}
