#pragma once
// The sixteen colours a light keeps (the user edits them as the colour chooser's custom
// colours), and what the lamp and the LED share: an input socket, a lamp socket that
// shows a colour of the table and gives off the light that light sensors see.

#include "core/Component.h"

#include <array>

using CColourTable = std::array<COLORREF, 16>;

// Writes or reads the sixteen colours, entry 0 first.
void SerializeColourTable(CArchive& ar, CColourTable& table);

class CColourLight : public CComponent {
public:
    static constexpr int kWidth = 128;

    void Draw(CDC& dc) override;
    // Shows the input level in the lamp socket and gives it off there.
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    CColourTable m_colourTable;

protected:
    CColourLight(unsigned typeId, int height, const CColourTable& defaults);

    // Which table entry shows this input level, and the light given off at it.
    virtual int ColourIndex(int level) const = 0;
    virtual int EmittedLevel(int level) const = 0;
    // Runs the class's colour dialog on a copy of the table; only OK keeps the copy.
    template <class TColourDialog>
    int EditColours(int permissionMask)
    {
        TColourDialog dlg(m_strName, permissionMask);
        dlg.m_colours = m_colourTable;
        const int result = dlg.Run();
        if (result == EDIT_ACCEPTED)
            m_colourTable = dlg.m_colours;
        return result;
    }

    void SerializeExtra(CArchive& ar) override;
};
