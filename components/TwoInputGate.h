#pragma once
// What the five two-input gates share: two inputs and an output, the gate-style body,
// and the black-box option that hides the gate behind a label of the teacher's choice.

#include "core/Component.h"

class CTwoInputGate : public CComponent {
public:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 152;

    explicit CTwoInputGate(unsigned typeId);

    unsigned GetTypeId() const override { return m_nTypeId; }
    int EditProperties(int permissionMask) override;
    void Draw(CDC& dc) override;
    void Update(CDC& dc, CPoint cursor, std::uint32_t* pState) override;
    int LogicTable(unsigned& table) const override;
    QString PictureKey() const override;

    bool IsBlackbox() const { return m_nParam1 != 0; }
    void SetBlackbox(bool on) { m_nParam1 = on ? 1 : 0; }
    // The symbol in the box; "*" stands for a greater-or-equal sign.
    virtual QString Symbol() const = 0;
    virtual bool Output(bool a, bool b) const = 0;

    QString m_strBlackboxLabel;

protected:
    void SerializeExtra(CArchive& ar) override;

private:
    unsigned m_nTypeId;
};

// The black-box properties of a gate or memory cell; returns the dialog's result or 16
// when a black box may not be identified.
int EditBlackboxProperties(CComponent& component, QString& blackboxLabel, int permissionMask);
