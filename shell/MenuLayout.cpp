#include "MenuLayout.h"

#include "CommandIds.h"
#include "document/Document.h"

const std::vector<MenuDef>& MainMenuLayout()
{
    static const std::vector<MenuDef> layout = {
        {"&Bestand",
         {{ID_FILE_NEW, "&Nieuw", "Ctrl+N"},
          {ID_FILE_OPEN, "&Openen...", "Ctrl+O"},
          {ID_FILE_SAVE, "Op&slaan", "Ctrl+S"},
          {ID_FILE_SAVE_AS, "Opslaan &Als..."},
          {},
          {ID_FILE_PRINT, "Af&drukken...", "Ctrl+P"},
          {ID_FILE_PRINT_PREVIEW, "Afdruk &Voorbeeld"},
          {ID_FILE_PRINT_SETUP, "Afdruk &Instellingen..."},
          {},
          {ID_PREV_BOARD, "Open vorig bord"},
          {ID_NEXT_BOARD, "Open volgend bord"},
          {},
          {ID_APP_EXIT, "&Afsluiten", "Alt+F4"}}},
        {"B&ord",
         {{ID_EDIT_UNDO, "&Ongedaan maken", "Ctrl+Z"},
          {ID_EDIT_REDO, "Opnieuw", "Ctrl+Y"},
          {},
          {ID_EDIT_CLEAR_ALL, "Wis &hele bord"},
          {ID_EDIT_CLEAR_WIRES, "Wis &draden"},
          {ID_EDIT_CLEAR_PROBES, "Wis &sondes"},
          {ID_EDIT_CLEAR_TEXTS, "Wis &tekstvelden"},
          {ID_EDIT_CLEAR_TABLES, "Wis t&abellen"},
          {ID_EDIT_CLEAR_PICTURES, "Wis &foto's"},
          {},
          {ID_INSERT_TEXTFIELD, "Aanbrengen &tekstveld"},
          {ID_INSERT_TABLE, "Aanbrengen t&abel"},
          {ID_INSERT_PICTURE, "Aanbrengen &foto"},
          {},
          {ID_IDENTIFY_BLACKBOXES, "Identificeer &blackboxes"},
          {ID_PROTECTION, "Stel &beveiliging in"}}},
        {"B&eeld",
         {{ID_VIEW_TOOLBAR, "&Toepassingsbalk", nullptr, true},
          {ID_VIEW_STATUS_BAR, "&Statusbalk", nullptr, true},
          {ID_VIEW_PAGINATION, "&Paginering", nullptr, true},
          {},
          {ID_VIEW_ZOOM_IN, "In&zoomen", "Ctrl++"},
          {ID_VIEW_ZOOM_OUT, "Uit&zoomen", "Ctrl+-"},
          {ID_VIEW_ZOOM_TRUE_SIZE, "&Ware grootte", "Ctrl+0"},
          {},
          {ID_VIEW_CHART, "&Meetgrafiek", nullptr, true}}},
        {"&Meting",
         {{ID_MEASURE_RESET, "&Reset"},
          {ID_MEASURE_START, "St&art", nullptr, true},
          {ID_MEASURE_STOP, "St&op"},
          {},
          {ID_MEASURE_SAVE_VALUES, "&Meetwaarden opslaan..."},
          {ID_MEASURE_SAVE_CHART, "&Grafiek opslaan..."}}},
        {"&Help", {{ID_HELP, "Help"}, {}, {ID_APP_ABOUT, "&Over Veldtrak..."}}},
    };
    return layout;
}

// clang-format off
const std::vector<int>& ToolbarLayout()
{
    static const std::vector<int> layout = {
        ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, 0,
        ID_EDIT_UNDO, ID_EDIT_REDO, 0,
        ID_INSERT_TEXTFIELD, ID_INSERT_TABLE, ID_INSERT_PICTURE, ID_PROTECTION, 0,
        ID_PREV_BOARD, ID_NEXT_BOARD, 0,
        ID_MEASURE_RESET, ID_MEASURE_START, ID_MEASURE_STOP, ID_VIEW_CHART, 0,
        ID_SETTINGS, ID_HELP,
    };
    return layout;
}
// clang-format on
