#pragma once
// The relay's dialog: the coil's threshold in volts, and the lamp's colours (custom
// box 0 off, box 15 on) behind "&Kies kleur".

#include "ThresholdField.h"

#include <array>

class CRelayDlg : public CThresholdFieldDlg {
    Q_OBJECT
public:
    CRelayDlg(const QString& name, int permissions, QWidget* parent = nullptr);

    std::array<COLORREF, 16> m_colours{};
};
