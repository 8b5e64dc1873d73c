#pragma once
// Drawing keeps some of what it drew with the board: a slider line's y, the contact a
// relay or switch was last drawn with, a meter's last level, and the pulse generator's
// countdown, which every drawing advances. None of that is a change of the pupil's.
// Held around a drawing: when the board was the undo step on the screen before it, it
// stays that step after it, so the next finished action records no step of its own and
// undo walks back to the board as opened.

class CVeldtrakDoc;

class CDrawnStateKept {
public:
    // 'atRest': no change of the pupil's is going on (no drag, marking or wire).
    CDrawnStateKept(CVeldtrakDoc& doc, bool atRest);
    ~CDrawnStateKept();
    CDrawnStateKept(const CDrawnStateKept&) = delete;
    CDrawnStateKept& operator=(const CDrawnStateKept&) = delete;

private:
    CVeldtrakDoc& m_doc;
    bool m_bAtStep = false;
};
