#pragma once
// Base of every building block on the board, the probe included: bounding rectangle,
// display name, the socket array and four general parameters whose meaning each
// class gives. Concrete classes supply type, properties dialog, drawing and update.

#include "BoardObject.h"
#include "Bus.h"
#include "platform/Geometry.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <utility>

// Bits of the state word handed to Update.
enum : std::uint32_t {
    STATE_LEFT_BUTTON = 0x01,
    STATE_RIGHT_BUTTON = 0x02,
    STATE_SHIFT = 0x04,
    STATE_CTRL = 0x08,
    STATE_CAPSLOCK = 0x10,
    STATE_REDRAW = 0x20,
    STATE_RESET = 0x40,
    STATE_UP_RIGHT = 0x80,
    STATE_LEFT_DOWN = 0x100,
};

// Type identifiers: the string numbers of the class names.
enum ComponentType : unsigned {
    TYPE_ADOMZETTER = 61447,
    TYPE_COMPARATOR = 61448,
    TYPE_DRUKKNOP = 61449,
    TYPE_ENPOORT = 61450,
    TYPE_GEHEUGEN = 61451,
    TYPE_GELUIDSENSOR = 61452,
    TYPE_INVERTER = 61453,
    TYPE_LAMP = 61454,
    TYPE_LED = 61455,
    TYPE_LICHTSENSOR = 61456,
    TYPE_NENPOORT = 61458,
    TYPE_NOFPOORT = 61459,
    TYPE_OFPOORT = 61460,
    TYPE_PULSGENERATOR = 61461,
    TYPE_PULSTELLER = 61462,
    TYPE_RELAIS = 61463,
    TYPE_SONDE = 61464,
    TYPE_SPANNINGSMETER = 61465,
    TYPE_SWITCH = 61466,
    TYPE_WARMTESENSOR = 61467,
    TYPE_TOGGLE = 61468,
    TYPE_TRANSISTOR = 61469,
    TYPE_VARSPANNING = 61470,
    TYPE_XOFPOORT = 61471,
    TYPE_ZOEMER = 61478,
};

// Results of EditProperties.
enum : int {
    EDIT_ACCEPTED = 1,
    EDIT_CANCELLED = 2,
    EDIT_BLACKBOX_REFUSED = 16,
    EDIT_DELETE = 172,
};

// Permission bits of the board's protection record.
enum : int {
    PERMIT_ADD_MOVE = 1,
    PERMIT_DELETE_COMPONENTS = 2,
    PERMIT_ADD_WIRES = 4,
    PERMIT_DELETE_WIRES = 8,
    PERMIT_IDENTIFY_BLACKBOXES = 16,
    PERMIT_PROBES = 32,
    PERMIT_CHANGE_TEXTS = 64,
    PERMIT_CHANGE_PROPERTIES = 128,
    PERMIT_ALL = 255,
};

class CComponent : public CBoardObject {
public:
    // Loads the name from the string table by type, sizes the rectangle and the sockets.
    CComponent(unsigned typeId, int width, int height, int busCount);
    ~CComponent() override;

    virtual unsigned GetTypeId() const = 0;
    virtual int EditProperties(int permissionMask) = 0;
    void Draw(CDC& dc) override = 0;
    virtual void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) = 0;
    // A component whose Update is only a truth table over its logic inputs (a gate, the
    // inverter) says so, and the measurement runs it from the table: the inputs are its
    // first sockets, read from the last to the first, the output the socket after them,
    // and bit (input 0 + 2 * input 1) of 'table' tells whether the output is high.
    // Returns the number of inputs; 0 for every other component.
    virtual int LogicTable(unsigned& /*table*/) const { return 0; }
    // A text that settles the component's picture at a given size completely: two
    // components with the same key draw the same pixels, so the board view may keep
    // the picture. Empty (the default) when the picture shows more, such as state or
    // levels.
    virtual QString PictureKey() const { return {}; }

    // The base record, then the class's own fields (SerializeExtra).
    void Serialize(CArchive& ar) final;

    void SetTopLeft(int x, int y);
    void MoveTo(int x, int y);
    bool HitTest(int x, int y) const;
    CSize GetSize() const;
    CPoint GetTopLeft() const { return m_rect.TopLeft(); }
    CBus* BusAt(int x, int y);
    int NumberBuses(int last);
    std::pair<int, int> GetBusRange() const;
    void Reset(CDC& dc);
    void AgeBusValues();
    // Writes a caption or label at the context's text alignment, narrowed where it
    // would reach past the component's rectangle: the sizes were chosen for narrower
    // fonts than ours, and a stored name may be of any length.
    void CaptionOut(CDC& dc, int x, int y, const QString& text) const;
    CPoint GetCornerPoint() const;
    void NextCorner() { m_nCorner = (m_nCorner + 1) % 4; }
    CPoint CornerOffset(int x, int y, int size) const;

    int GetBusCount() const { return m_nBusCount; }
    CBus& Bus(int i) { return m_pBuses[i]; }
    const CBus& Bus(int i) const { return m_pBuses[i]; }

    int m_nBusCount = 0;
    int m_nParam1 = 0;
    int m_nParam2 = 0;
    int m_nCorner = 0;
    int m_nParam4 = 0;
    CRect m_rect;
    std::unique_ptr<CBus[]> m_pBuses;
    QString m_strName;

protected:
    virtual void SerializeExtra(CArchive&) {}
};
