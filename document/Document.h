#pragma once
// The board document: owns everything on the board, carries the file, clear and
// measurement commands, and reports file errors in Dutch.

#include "AuthoringDialogs.h"
#include "BusIndex.h"
#include "ConfirmBox.h"
#include "MessageBox.h"
#include "SettingsStore.h"
#include "TickPlan.h"
#include "UndoHistory.h"
#include "WireIndex.h"
#include "core/BoardObject.h"
#include "core/Bus.h"
#include "core/Component.h"
#include "core/Wire.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <unordered_set>
#include <vector>

class CDC;

// Update hints sent to the views.
enum : int {
    HINT_REFRESH = 0,
    HINT_PLACE_COMPONENT = 1,
    HINT_NEW_TEXTFIELD = 3,
    HINT_STARTED = 5,
    HINT_STOPPED = 6,
    HINT_RESET = 8,
    HINT_TICK = 9,
    HINT_NEW_TABLE = 10,
    HINT_NEW_PICTURE = 12,
    HINT_OPENED = 14,
    HINT_STARTUP_IMAGE = 15,
    HINT_PAGE_FRAMES = 16,
    HINT_STARTUP_STATUS = 18,
};

// Command identifiers of the document's commands.
enum : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_EDIT_CLEAR_ALL = 57610,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_EDIT_CLEAR_WIRES = 57611,
    ID_EDIT_CLEAR_PROBES = 57612,
    ID_EDIT_CLEAR_TEXTS = 57613,
    ID_EDIT_CLEAR_TABLES = 32802,
    ID_EDIT_CLEAR_PICTURES = 32803,
    ID_INSERT_TEXTFIELD = 32786,
    ID_INSERT_TABLE = 32789,
    ID_INSERT_PICTURE = 32800,
    ID_HELP = 57615,
    ID_SETTINGS = 32806,
    ID_MEASURE_RESET = 57634,
    ID_MEASURE_START = 57635,
    ID_MEASURE_STOP = 57636,
};

// Kinds that the annotation hit searches report.
enum : int { HIT_TEXTFIELD = 4, HIT_TABLE = 11, HIT_PICTURE = 13 };

// Prompt numbers of the file error reports.
enum : int { PROMPT_FAILED_SAVE = 61696, PROMPT_FAILED_OPEN = 61697, PROMPT_FAILED_WRITE = 61698 };

class CDocView {
public:
    virtual ~CDocView() = default;
    virtual void OnUpdate(int hint, int argument) = 0;
};

using ComponentList = std::vector<std::unique_ptr<CComponent>>;
using WireList = std::vector<std::unique_ptr<CDraad>>;
using ObjectList = std::vector<std::unique_ptr<CBoardObject>>;

class CVeldtrakDoc {
public:
    CVeldtrakDoc();
    ~CVeldtrakDoc();
    CVeldtrakDoc(const CVeldtrakDoc&) = delete;
    CVeldtrakDoc& operator=(const CVeldtrakDoc&) = delete;

    // Views
    void AddView(CDocView* view);
    void RemoveView(CDocView* view);
    void UpdateAllViews(int hint, int argument = 0);

    // Object operations
    std::unique_ptr<CComponent> CreateComponent(int creationIndex);
    void AddComponent(std::unique_ptr<CComponent> component);
    void DeleteComponent(int index);
    // These components at once (one permission question), with their wires and probes.
    void DeleteComponents(const std::vector<CComponent*>& doomed);
    int ComponentAt(int x, int y, bool firstMatch, int startIndex = -1) const;
    // The socket of this number, or null: every look-up by number goes through here.
    CBus* FindBus(int busId) const;
    // After changing m_components other than through AddComponent / DeleteComponent
    // (reading a board, renumbering sockets): the look-up by number is rebuilt.
    void ComponentsChanged()
    {
        m_busIndex.Invalidate();
        m_wireIndex.Invalidate();
        m_tickPlan.Clear();
    }
    int AddWire(std::unique_ptr<CDraad> wire);
    void DeleteWire(int index);
    struct WireHit {
        int index = -1;
        CPoint nearest;
        int segment = 0;
    };
    WireHit WireAt(int x, int y) const;
    void RouteWireEnds();
    void DragWireEnds(CDC& dc, int firstBus, int lastBus, int dx, int dy);
    // Keeps every attached probe on its socket; true when one had to move.
    bool SnapProbes();
    void UnlinkAll();
    // Every socket's level to 0, the copies a running tick keeps included.
    void ClearLevels();
    // Places every socket by drawing each component once into a context that only
    // measures (sockets take their places when their component draws).
    void LayOutSockets();

    // Text fields, tables and pictures
    void AddTextField(std::unique_ptr<CBoardObject> object);
    void AddTable(std::unique_ptr<CBoardObject> object);
    void AddPicture(std::unique_ptr<CBoardObject> object);
    void DeleteTextField(int index);
    void DeleteTable(int index);
    void DeletePicture(int index);

    // Permissions
    bool CheckPermission(int permission, bool warn);
    int PermissionMask() const { return m_bTeacherUnlock ? PERMIT_ALL : m_nPermissions; }

    // Commands
    bool IsCommandEnabled(int id) const;
    bool OnCommand(int id); // false for an id the document does not handle
    void OnClearAll();
    void OnClearWires();
    void OnClearProbes();
    void OnClearTextFields();
    void OnClearTables();
    void OnClearPictures();
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnHelp();

    // Measurement
    // The sockets that carry a probe, with its number, highest number first (equal
    // numbers in list order from the last); probes on no socket or numbered below 1
    // are left out. Start lists m_probeBuses in this order.
    struct ProbedSocket {
        int number;
        CBus* bus;
    };
    std::vector<ProbedSocket> ListProbedSockets() const;
    void Start();
    void Stop();
    void Reset();
    // One measurement tick over the components (the board view calls it from its
    // timer): updates last to first, then ages every level.
    void Tick(CDC& dc, CPoint cursor, std::uint32_t state);
    void ResetComponents(CDC& dc);
    // While a measurement runs the tick keeps the gates' levels to itself (the probes'
    // and whatever another kind of component reads stay in their sockets): this puts
    // every level in its socket, for a caller that looks at all of them between ticks.
    void PublishLevels() const { m_tickPlan.Publish(); }

    // Files
    bool SaveModified();
    void DeleteContents();
    QString ResolveBoardFileName(const QString& name);
    bool OnOpenDocument(const QString& path);
    bool OnSaveDocument(const QString& name);
    void ReportSaveLoadException(const QString& path, bool fileError, int cause, bool saving,
                                 int prompt);

    bool IsModified() const { return m_bModified; }

    // Undo and redo (UndoCommands.cpp). Every finished change of the board is one step;
    // opening a board, a new board and a step in the chain start the history again.
    void ResetUndoHistory();
    // The change that has just finished, when the board differs from the last step.
    void CommitUndoStep();
    // The board as it is now is the one in its file: undoing back to it is unmodified.
    void NoteSavedState();
    // The board changed without a change of the pupil's (a measurement): no step.
    void RebaseUndoHistory();
    // A change that was allowed by a command's own rule rather than CheckPermission.
    void NoteStepPermission(int permission) { m_nStepPermissions |= permission; }
    bool CanStepThroughHistory() const;
    void OnEditUndo();
    void OnEditRedo();
    const CUndoHistory& UndoHistory() const { return m_undo; }

    // Teacher mode ("/docent" on the command line): enables the teacher's own commands
    // under the usual rules (teacher password, unlock). A pupil's program never has it.
    bool IsTeacherMode() const { return m_bTeacherMode; }
    void SetTeacherMode(bool on) { m_bTeacherMode = on; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    const QString& GetPathName() const { return m_strPathName; }
    const QString& GetTitle() const { return m_strTitle; }
    void SetPathName(const QString& path);
    bool HasProbes() const;
    bool HasContents() const;

    // Settings
    void LoadSettings();
    void SaveSettings();
    QString GetCommandLineOption(const QString& key) const;
    bool HasCommandLineOption(const QString& key) const;

    // Hooks for the layers above (the start dialog of "Nieuw").
    std::function<QString()> m_pickWorksheet;
    // The dialogs of the new text fields and tables (installed by the annotations).
    std::unique_ptr<CAuthoringDialogs> m_pAuthoring;
    // The restricted "Opslaan als..." of an output folder: the name typed, or empty.
    std::function<QString()> m_askRestrictedSaveName;
    // Told the path of every board saved (the worksheet library lists it at once).
    std::function<void(const QString&)> m_boardSaved;

    // The board chain: turns the entered previous and next board names into paths of
    // existing files (after reading a board and after the protection dialog).
    void ResolveLinks();

    // Board objects
    ComponentList m_components;
    ObjectList m_textFields;
    ObjectList m_tables;
    WireList m_wires;
    ObjectList m_pictures;
    std::vector<CBus*> m_probeBuses;

    // Protection record
    QString m_strPrevBoard;
    QString m_strNextBoard;
    int m_nPermissions = PERMIT_ALL;
    QString m_strHelpFile;
    QString m_strBoardTitle;
    QString m_strPrevPassword;
    QString m_strNextPassword;

    int m_nLastBusId = 0;
    COLORREF m_colWire = RGB(255, 255, 255);
    bool m_bRunning = false;
    bool m_bBusy = true;
    bool m_bTeacherUnlock = false;
    bool m_bTeacherMode = false;
    bool m_bScanning = false;
    bool m_bPrevResolved = false;
    bool m_bNextResolved = false;
    QString m_strPrevResolved; // the previous board's file, empty when none was found
    QString m_strNextResolved;
    // Whether the board being opened has another file name than the one before it: only
    // a step between boards of the same name keeps the scroll position.
    bool m_bNameDiffers = true;
    bool m_bStartImagesShown = false; // the start-up images or start menu are showing
    bool m_bPaginated = false;        // a print job has found its pages
    bool m_bShowPages = false;        // page frames drawn on the board ("Paginering")

    // The worksheet library: per worksheet its path and "category#title".
    QStringList m_libraryPaths;
    QStringList m_libraryEntries;

    // The installation settings
    QString m_strFolderRoot;
    QString m_strFolderOutput;
    QString m_strFolderBitmap;
    QString m_strPassword;
    QString m_strDefaultHelpFile;
    int m_nSnapMargin = 30;
    int m_nEraseMargin = 30;
    int m_nProbeWidth = 30;
    int m_nTextSnap = 30;
    QStringList m_worksheetFolders;
    QStringList m_worksheetExtensions;
    QString m_strDirOption; // the command line's output folder for this run
    CSettingsStore m_settings;
    QStringList m_commandLine; // the program's arguments

    CMessageBox m_messageBox;
    CConfirmBox m_confirmBox;

private:
    // The levels back into the sockets, and the tick walks the list until the next Start.
    void ReleaseTickPlan();
    // During a measurement: no socket left reads from, or charts, one of these.
    void ForgetSockets(const std::unordered_set<const CBus*>& freed);
    bool DoSaveAs();
    void ClearList(ObjectList& list, int questionId);
    void DeleteAnnotation(ObjectList& list, int index);
    void StepThroughHistory(bool back);
    bool RestoreBoard(const QByteArray& board);

    std::vector<CDocView*> m_views;
    mutable CBusIndex m_busIndex;
    CWireIndex m_wireIndex; // wires by their ends, for the duplicate a new wire may be
    CTickPlan m_tickPlan; // the links of a running measurement, laid out for the tick
    QString m_strPathName;
    QString m_strTitle;
    bool m_bModified = false;
    bool m_bFirstNew = true;
    CUndoHistory m_undo;
    int m_nStepPermissions = 0; // asked for since the last step was recorded
};
