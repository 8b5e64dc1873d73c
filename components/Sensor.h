#pragma once
// What the light, sound and temperature sensors share: a sensing socket that receives
// the emitters nearby (coupled when a measurement starts), an output socket, the
// sensitivity, and the mouse as a hand-held source while the sensor's key is held.

#include "core/Component.h"

#include <algorithm>

class CSensor : public CComponent {
public:
    static constexpr int kDefaultSensitivity = 60; // percent
    // The centre of the source symbol in the measuring cursors, in device pixels from
    // the cursor's hot spot (y downwards): the cursors are drawn around it.
    static constexpr int kSourceOffsetX = 21;
    static constexpr int kSourceOffsetY = 21;

    // sourceKey: the state word bit that makes the mouse a source for this sensor.
    CSensor(unsigned typeId, int width, int height, std::uint32_t sourceKey);

    unsigned GetTypeId() const override { return m_nTypeId; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;

    int Sensitivity() const { return m_nParam1; }
    void SetSensitivity(int percent) { m_nParam1 = percent; }
    std::uint32_t SourceKey() const { return m_nSourceKey; }
    // A hand-held source kept at the sensing socket at a fixed strength (0 to 500): what
    // the mouse gives there, without a mouse, for every sensor on its own (checking a
    // board drives them so). Not stored; 0 is no source.
    void HoldSource(int level) { m_nHeldLevel = std::clamp(level, 0, int(kLevelHigh)); }

    // Where the hand-held source is for a cursor at this board point: where the
    // measuring cursors draw their lamp, loudspeaker or heater.
    static CPoint SourcePoint(const CDC& dc, CPoint cursor);
    // The level a hand-held source gives at this distance in board units.
    static int HandHeldLevel(double distance);
    // A received level passed on at a sensitivity in percent.
    static int ScaledLevel(int level, int sensitivity);

private:
    unsigned m_nTypeId;
    std::uint32_t m_nSourceKey;
    int m_nHeldLevel = 0;
};
