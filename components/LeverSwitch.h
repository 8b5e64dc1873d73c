#pragma once
// What the push button, the switch and the toggle share: a square button socket that the
// left mouse button operates during a measurement, a contact state shown as a lever
// between two positions, and no settings.

#include "core/Component.h"

class CLeverSwitch : public CComponent {
public:
    unsigned GetTypeId() const override { return m_nTypeId; }
    int EditProperties(int permissionMask) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    // 0 or 1: push button pressed, switch on its lower contact, toggle on. Kept in
    // m_nParam2, so a board remembers where its switches stand.
    int ContactState() const { return m_nParam2 != 0 ? 1 : 0; }

protected:
    // Momentary contacts close only while the button is held; latching ones change
    // over at each press and stay.
    enum class Action { Momentary, Latching };

    CLeverSwitch(unsigned typeId, int width, int height, int busCount, Action action);

    // The output levels of the contact state; one output that is on in state 1 unless a
    // class has other contacts.
    virtual void WriteOutputs();

    // The name in lower case, its top one caption height above the bottom edge.
    void DrawCaption(CDC& dc, int x, unsigned horizontalAlign);
    void PlaceBus(CDC& dc, int index, int x, int y, int kind);
    void DrawLine(CDC& dc, CPoint from, CPoint to);
    // The button and output on the top edge joined by one contact line that the lever
    // closes; the lever pivots one leverDivisor-th of the free length in from each end.
    void DrawSingleContact(CDC& dc, int leverDivisor);
    // Takes the lever points of this drawing, draws the lever closed, then lets Update
    // bring lever and button to the current state.
    void FinishDraw(CDC& dc, CPoint lever0End, CPoint pivot, CPoint lever1End);

    void SerializeExtra(CArchive& ar) override;

private:
    void DrawLevers(CDC& dc, int state) const;

    unsigned m_nTypeId;
    Action m_action;
    bool m_bHeld = false;         // latching: the button was pressed at the previous tick
    bool m_bLooksPressed = false; // the button's frame is shown in its pressed look
    CPoint m_lever0End;
    CPoint m_pivot;
    CPoint m_lever1End;
};
