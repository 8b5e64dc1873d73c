#pragma once
// The board pane: a scrolling view over the 8100 x 11300 board. It paints the board,
// reacts to the document's update hints, shows the start-up images and start menu,
// runs the measurement tick from its timer and, later, the mouse editing.
//
// Direct drawing (ticks, sprites, rubber bands) goes into a backing image that is the
// window's surface; paintEvent only copies that image to the screen.

#include "document/Document.h"
#include "platform/Geometry.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CAnnotation;
class CBoardSettingsDlg;
class CDC;
class CSonde;
class CSprite;
struct CSpriteLayer;
class CSpriteCache;

// Interaction modes of the board view.
enum BoardViewMode : int {
    MODE_IDLE = 0,
    MODE_DRAG_COMPONENT = 1,
    MODE_WIRE = 2,
    MODE_WIRE_ONLY_CLICK = -2,
    MODE_DRAG_TEXTFIELD = 4,
    MODE_MEASURING = 7,
    MODE_DRAG_TABLE = 11,
    MODE_DRAG_PICTURE = 13,
    MODE_STARTUP = 15,
    MODE_MARKING = 17,
};

class CBoardView : public QAbstractScrollArea, public CDocView {
    Q_OBJECT
public:
    static constexpr int kBoardWidth = 8100;
    static constexpr int kBoardHeight = 11300;
    // The view's two window timers.
    static constexpr int kMeasureTimer = 1; // every 50 ms while measuring
    static constexpr int kStartupTimer = 2; // once, 500 ms after the first paint

    explicit CBoardView(CVeldtrakDoc& doc, QWidget* parent = nullptr);
    ~CBoardView() override;

    CVeldtrakDoc& Document() { return m_doc; }
    void OnUpdate(int hint, int argument) override;
    int Mode() const { return m_nMode; }

    // Draws the board's objects onto a context: those whose rectangle meets 'rect'
    // (board units), or all; direct draws components plainly instead of as sprites.
    // Printing goes through here too (the context says it prints).
    void DrawBoard(CDC& dc, const CRect& rect, bool direct, bool all);
    // The editing repaint of 'area' (surface pixels) of a surface, erased to white
    // first, as the window paints it: band after band, so that a large surface crosses
    // the memory once. 'prepare' sets a context's layout resolution and scrolling.
    void PaintEditingBoard(QImage& surface, const QRect& area, int dpi,
                           const std::function<void(CDC&)>& prepare);

    // Pixels of the viewport to board units and back, at the current scroll and zoom.
    // Every mouse position goes through here.
    CPoint ClientToBoard(QPoint client) const;
    QPoint BoardToClient(CPoint board) const;
    // The socket under a board point (the smallest component's first), or none.
    CBus* SocketAt(CPoint point) const;

    // Zoom (Zoom.cpp): a view setting only, nothing on the board moves. The point
    // under 'anchor' (viewport pixels; the centre when none) stays where it is.
    int ZoomPercent() const;
    bool CanZoomIn() const;
    bool CanZoomOut() const;
    void ZoomBy(int steps, std::optional<QPoint> anchor = std::nullopt);
    void ZoomToTrueSize();
    // Told after every change of the zoom (the frame shows it).
    std::function<void()> m_zoomChanged;

    // Print state: the page origins of the current job and its printable rectangle.
    std::vector<CPoint>& PageOrigins() { return m_pageOrigins; }
    CRect& PrintableRect() { return m_printableRect; }

    // The component being dragged or placed (-1 none) and the wire being drawn (null none).
    int TargetComponent() const { return m_nTarget; }
    const CDraad* WireInProgress() const { return m_pWire.get(); }
    const CRect& MarkingRect() const { return m_rects[9]; }

    // Records the change the pupil has just finished as an undo step; nothing while a
    // drag, a marking rectangle or the start-up is still going on.
    void CommitUndoStep();
    // A component or an annotation is being dragged: an undo now takes the drag back.
    bool IsDragging() const;
    // A change of the pupil's is still going on: a drag, a marking rectangle, the start-up.
    bool ChangeGoingOn() const;

    // Asks the frame to make this pane the active one (after printing, before placing).
    std::function<void()> m_activatePane;

    // The window surface, for tests and screenshots.
    const QImage& Surface() const { return m_surface; }
    // Draws the whole surface again at the next paint, in whatever state the view is.
    void InvalidateAll();

    // What a window timer does when it fires; the timer events come here, and tests
    // call it directly instead of waiting.
    void OnTimer(int timerId);
    bool IsTimerActive(int timerId) const;

    // The start-up image shown (1-4) and the start menu button under the mouse (-1 none).
    int StartImage() const { return m_nStartImage; }
    int HoveredButton() const { return m_nHoveredButton; }

    // The screen the size check looks at, and how the program ends when it is too small
    // (with the exit code); tests replace both.
    std::function<QSize()> m_screenSize;
    std::function<void(int)> m_quit;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Keys whose being held the view notes from its own key events.
    enum HeldKey : unsigned { HELD_CAPSLOCK = 1, HELD_UP = 2, HELD_RIGHT = 4, HELD_LEFT = 8, HELD_DOWN = 16 };
    static unsigned HeldKeyOf(int key);

    // Drawing (BoardView.cpp, BoardDrawing.cpp). The surface has the screen's device
    // pixels: Dpi() is the screen's resolution times the zoom and the device pixel
    // ratio; pictures take their natural size at TrueDpi(), the screen's own.
    int TrueDpi() const;
    int Dpi() const;
    double SurfaceScale() const; // device pixels per viewport pixel
    QSize SurfaceSizeFor(QSize viewportSize) const;
    QRect ViewportRectOf(const QRect& surfacePixels) const;
    void PrepareDC(CDC& dc) const;
    std::unique_ptr<CSprite> MakeSprite(CComponent& component) const;
    void Invalidate(const QRect& pixels); // surface pixels
    void ShowSurface(const QRect& pixels); // surface pixels drawn directly
    // Redraws what was invalidated into the surface; direct drawing calls it first so
    // that it draws over an up-to-date board.
    void FlushPendingPaint();
    // What a repaint draws, decided once before it draws (BoardDrawing.cpp).
    enum class PaintKind { StartImage, Nothing, Editing, Measuring, MeasuringAll };
    PaintKind BeginPaint();
    void OnDraw(CDC& dc, const CRect& clip, PaintKind kind);
    // The parts of DrawBoard, for 'area' (board units, normalized) or all of the board.
    std::vector<CBoardObject*> AnnotationsMeeting(const CRect& area, bool all);
    void DrawComponentsDirect(CDC& dc, const CRect& area, bool all);
    // The sprite of a component at the context's resolution, kept or drawn now.
    std::shared_ptr<CSprite> SpriteOf(CComponent& c, const CDC& dc);
    // The sprites of the components that meet 'area', for a banded repaint; none when
    // they would take too much memory at once.
    std::optional<CSpriteLayer> SpritesMeeting(const CDC& dc, const CRect& area);
    void DrawLines(CDC& dc, const CRect& area, bool all);

    // Scrolling
    int ToPixels(int units) const; // a length in board units on the screen
    void UpdateScrollSizes();
    void ScrollToOrigin();
    void ApplyZoomStep(int step, QPoint anchor);
    void SetScrollBarsEnabled(bool enabled);
    bool OnScrollKey(int key);

    // Timers
    void SetTimer(int timerId, int milliseconds);
    void KillTimer(int timerId);

    // Measurement (Measurement.cpp)
    void OnMeasurementStarted();
    void OnMeasurementStopped();
    void OnMeasurementReset();
    void MeasurementTick();
    std::uint32_t KeyStateWord() const;
    void SetCurrentCursor(int cursor);

    // Start-up (StartupSequence.cpp) and start menu (StartMenu.cpp)
    void RunStartupSequence();
    void OnStartupImage(int number);
    void ShowStartImage(int number);
    void DrawStartImage(CDC& dc, int pressedButton);
    void LeaveStartup();
    void DrawStartupStatus(int fileIndex);
    int StartMenuButtonAt(QPoint client) const;
    void OnStartMenuMove(QPoint client);
    void OnStartMenuRelease(QPoint client);

    // Size check (BoardView.cpp)
    void CheckScreenSize();

    // New objects from the hints (NewObjects.cpp): placing them belongs to the mouse
    // editing; the bitmap file question is asked here already.
    void OnPlaceComponent(int argument);
    void OnNewTextField();
    void OnNewTable();
    void OnNewPicture();
    QString AskBitmapFile();
    void PlaceNewPicture(const QString& path);

    // Drawing straight onto the surface over an up-to-date board, then showing it; what
    // the drawing asked to report (ReportAfterDrawing) follows once the context is closed.
    void DrawDirect(const std::function<void(CDC&)>& draw);
    void ReportAfterDrawing(std::function<void()> report);
    static void XorLine(CDC& dc, CPoint from, CPoint to);
    void ErrorBeep();
    CPoint BoardPoint(const QMouseEvent& event) const;

    // Component editing (ComponentEditing.cpp)
    bool EditingLocked() const; // a measurement runs: nothing may change
    void OnLeftButtonDown(CPoint point);
    void OnLeftButtonUp(CPoint point);
    void OnRightButtonDown(CPoint point);
    void OnEditingMove(CPoint point);
    CComponent* Dragged() const; // the target component, null when there is none
    void PressComponent(int index, CPoint point);
    void StartDrag(CComponent& component, CPoint point);
    void EndDrag();
    // One drag step: clamps to the board, moves the sprite (when dragging) and the
    // component, and lets the wire ends follow.
    void MoveComponent(CComponent& component, CPoint position);
    void EditComponentProperties(int index);
    // Text fields, tables and pictures (AnnotationEditing.cpp)
    void PlaceNewAnnotation(std::unique_ptr<CBoardObject> object, QPoint client);
    bool PressAnnotation(CPoint point);
    void DragAnnotation(CPoint point);
    void ReleaseAnnotation();
    bool RightClickAnnotation(CPoint point);
    CAnnotation* PressedAnnotation() const; // the one being dragged, null when none
    void OpenBoardSettings();
    // Drops a drag, a wire in progress, guide lines and a marking rectangle without
    // drawing: the board they belonged to is being replaced or repainted whole. True
    // when there was one.
    bool AbandonEditing();
    // What exists only on the screen while editing (a wire being drawn with its rubber
    // band, guide lines, the marking rectangle), drawn again over a repainted board.
    void DrawEditingOverlays(CDC& dc);
    void OnGuideKeyEvent(const QKeyEvent& event, bool down);
    void OnGuideKey(bool down);
    // Modifier keys send no repeats on every platform: while a guide key is held the
    // guides follow the dragged component on each mouse move instead.
    void FollowWithGuides(const QMouseEvent& event);
    void DrawGuides(CDC& dc, const CComponent& component, CPoint position);
    void DrawMarkingRect(CDC& dc);
    void OnMarkingRelease();
    void AlignMarked(int action, const std::vector<CComponent*>& marked, const CRect& edges);

    // Wiring (Wiring.cpp)
    void OnWiringClick(CPoint point);
    void FinishWire(CDC& dc, int inputBus);
    void OnRubberBand(CPoint point);
    void AbandonWire(CPoint point);
    bool DeleteWireAt(CPoint point);

    // Probes (ProbeEditing.cpp)
    int NextProbeNumber() const;
    void AttachProbe(CSonde& probe);
    void TurnProbe(CPoint point);

    CVeldtrakDoc& m_doc;
    int m_nMode = MODE_IDLE;
    int m_nZoomStep;        // index into kZoomSteps
    int m_nWheelDelta = 0;  // Ctrl+wheel turns not yet a whole zoom step

    // Editing state
    int m_nTarget = -1;             // index of the pressed or dragged component
    int m_nAnnotation = -1;         // index of the pressed text field, table or picture
    CPoint m_ptLast;                // end of the rubber band; last annotation point
    CPoint m_ptOffset;              // pointer minus the dragged component's position
    CPoint m_ptGrab;                // dragged annotation's origin minus the pointer at the press
    CPoint m_ptGuide{-1, 0};        // component position the guides are drawn for
    bool m_bGuidesShown = false;
    bool m_bMoved = false;          // the last press dragged something
    bool m_bPressAbandoned = false; // the button still held ended a drag that was dropped
    std::unique_ptr<CSprite> m_pSprite;
    std::unique_ptr<CSpriteCache> m_pSprites; // pictures of alike components, kept between paints
    std::unique_ptr<CDraad> m_pWire;
    std::vector<std::function<void()>> m_reports; // messages and questions of a direct drawing
    std::unique_ptr<CBoardSettingsDlg> m_pSettingsDlg;
    QImage m_surface;
    std::vector<CPoint> m_pageOrigins;
    CRect m_printableRect;

    QRect m_pendingPaint;     // surface pixels waiting to be redrawn
    bool m_bFirstDraw = true;
    bool m_bFullRedraw = true; // the next measuring paint draws every object

    int m_nMeasureTimer = 0; // Qt's timer ids, 0 when not running
    int m_nStartupTimer = 0;

    // The key state word of the last tick, and what it is built from: the mouse
    // buttons and the keys that the keyboard modifiers do not tell.
    std::uint32_t m_nInputState = 0;
    Qt::MouseButtons m_buttons;
    // Buttons pressed since the last tick, and where the left one went down: a click
    // shorter than a tick still counts as held at that tick, at the place it was made.
    Qt::MouseButtons m_pressedSinceTick;
    QPoint m_ptLeftPress;
    unsigned m_nGuideKeys = 0; // guide-line keys down (their press seen, not their release)
    unsigned m_nHeldKeys = 0; // HeldKey bits
    int m_nCursor = 0;        // a BoardCursor

    // Board units: [0] the start-up image, [1]-[4] the start menu's button hot areas
    // (normalised), [5]-[8] their pressed images, [9] the marking rectangle.
    std::array<CRect, 10> m_rects;
    int m_nStartImage = 0;
    int m_nHoveredButton = -1;
    int m_nStatusWidth = 0;
    bool m_bQuitting = false;
};
