#include "components/ComponentFactory.h"
#include "components/ENpoort.h"
#include "components/Inverter.h"
#include "components/XOFpoort.h"
#include "platform/DrawContext.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QLineEdit>

namespace {

enum { AND_GATE = 3, INVERTER = 6, NAND_GATE = 10, NOR_GATE = 11, OR_GATE = 12, XOR_GATE = 22 };

// Runs one update with the given input levels (as last tick's, negative) and returns
// the output level.
int Evaluate(CComponent& gate, std::initializer_list<int> inputs)
{
    CMemoryDC dc(4, 4);
    std::vector<CBus> sources(inputs.size());
    int i = 0;
    for (int level : inputs) {
        sources[std::size_t(i)].m_nValue = -level;
        gate.Bus(i).ClearSources();
        gate.Bus(i).m_nValue = 0; // aged out since the last call
        gate.Bus(i).AddSource(&sources[std::size_t(i)], 1);
        ++i;
    }
    std::uint32_t state = 0;
    gate.Update(dc, CPoint(0, 0), &state);
    return gate.Bus(gate.GetBusCount() - 1).m_nValue;
}

TEST(GateTest, TruthTablesWithTheHighThreshold)
{
    const struct {
        int index;
        int out[4]; // inputs (A, B): low-low, low-high, high-low, high-high
    } cases[] = {
        {AND_GATE, {0, 0, 0, 500}},  {NAND_GATE, {500, 500, 500, 0}},
        {OR_GATE, {0, 500, 500, 500}}, {NOR_GATE, {500, 0, 0, 0}},
        {XOR_GATE, {0, 500, 500, 0}},
    };
    for (const auto& c : cases) {
        auto gate = CreateComponentByIndex(c.index);
        ASSERT_NE(gate, nullptr);
        EXPECT_EQ(Evaluate(*gate, {69, 69}), c.out[0]) << c.index << ": 69 is low";
        EXPECT_EQ(Evaluate(*gate, {0, 70}), c.out[1]) << c.index << ": 70 is high";
        EXPECT_EQ(Evaluate(*gate, {500, 0}), c.out[2]) << c.index;
        EXPECT_EQ(Evaluate(*gate, {70, 500}), c.out[3]) << c.index;
    }
    auto inverter = CreateComponentByIndex(INVERTER);
    EXPECT_EQ(Evaluate(*inverter, {69}), 500);
    EXPECT_EQ(Evaluate(*inverter, {70}), 0);
}

TEST(GateTest, OpenInputsReadLowAfterReset)
{
    const struct {
        int index;
        int out;
    } cases[] = {{AND_GATE, 0}, {NAND_GATE, 500}, {OR_GATE, 0}, {NOR_GATE, 500}, {XOR_GATE, 0},
                 {INVERTER, 500}};
    CMemoryDC dc(4, 4);
    for (const auto& c : cases) {
        auto gate = CreateComponentByIndex(c.index);
        gate->Reset(dc);
        EXPECT_EQ(gate->Bus(gate->GetBusCount() - 1).m_nValue, c.out) << c.index;
    }
}

TEST(GateTest, BlackBoxStillComputesButHidesItself)
{
    CENpoort gate;
    gate.SetBlackbox(true);
    gate.m_strBlackboxLabel = QStringLiteral("Doos 1");
    EXPECT_EQ(Evaluate(gate, {500, 500}), 500);

    ScriptedModals none; // refused without a dialog
    EXPECT_EQ(gate.EditProperties(PERMIT_ALL & ~PERMIT_IDENTIFY_BLACKBOXES), EDIT_BLACKBOX_REFUSED);
    EXPECT_TRUE(gate.IsBlackbox());
    EXPECT_EQ(gate.m_strBlackboxLabel, QStringLiteral("Doos 1"));
}

TEST(GateTest, PropertiesDialogRenamesOnlyOnOk)
{
    CENpoort gate;
    auto typeName = [](QString name) {
        return [name](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("edit1021"))->setText(name);
            return int(EDIT_ACCEPTED);
        };
    };
    {
        ScriptedModals user;
        user.Then(typeName(QStringLiteral("Poort A")));
        EXPECT_EQ(gate.EditProperties(PERMIT_ALL), EDIT_ACCEPTED);
        EXPECT_EQ(user.Titles()[0], QStringLiteral("EN-poort"));
    }
    EXPECT_EQ(gate.m_strName, QStringLiteral("Poort A"));
    ScriptedModals user;
    user.Then([&](QDialog& dialog) {
        typeName(QStringLiteral("weg"))(dialog);
        return int(EDIT_CANCELLED);
    });
    EXPECT_EQ(gate.EditProperties(PERMIT_ALL), EDIT_CANCELLED);
    EXPECT_EQ(gate.m_strName, QStringLiteral("Poort A"));
    EXPECT_EQ(user.Titles()[0], QStringLiteral("Poort A")) << "titled with the current name";
}

// Draws at 254 dpi: one pixel per board unit, the board's origin at the image's corner.
class GateDrawingTest : public ::testing::Test {
protected:
    void Draw(CComponent& c, int x, int y)
    {
        c.MoveTo(x, y);
        const CFont old = m_dc.SelectObject(CFont::Label(44));
        c.Draw(m_dc);
        m_dc.SelectObject(old);
    }
    CMemoryDC m_dc{400, 400, 254};
};

TEST_F(GateDrawingTest, TwoInputGateSocketsSitWhereTheBodyPutsThem)
{
    CENpoort gate;
    Draw(gate, 50, -60); // L 50, T -60, R 306
    EXPECT_EQ(gate.Bus(0).GetCenter(), CPoint(70, -80));
    EXPECT_EQ(gate.Bus(1).GetCenter(), CPoint(70, -140));
    EXPECT_EQ(gate.Bus(2).GetCenter(), CPoint(286, -110));
    EXPECT_EQ(gate.Bus(0).GetKind(), BUS_INPUT);
    EXPECT_EQ(gate.Bus(2).GetKind(), BUS_OUTPUT);
    EXPECT_EQ(m_dc.GetPixel(70, -80), RGB(0, 0, 255));
    EXPECT_EQ(m_dc.GetPixel(286, -110), RGB(0, 255, 0));
    EXPECT_EQ(m_dc.GetPixel(180, -62), RGB(192, 192, 192)) << "inside the grey box";
    EXPECT_EQ(m_dc.GetPixel(110, -100), RGB(255, 255, 255)) << "raised white left edge";
    EXPECT_EQ(m_dc.GetPixel(245, -100), RGB(0, 0, 0)) << "black right edge";
}

TEST_F(GateDrawingTest, InverterSocketsOneThirdDown)
{
    CInverter inv;
    Draw(inv, 50, -60); // B = -210
    const int h = m_dc.GetTextExtent(QStringLiteral("invertor")).cy;
    const int y0 = -60 + (-210 + h + 60) / 3;
    EXPECT_EQ(inv.Bus(0).GetCenter(), CPoint(70, y0 - 20));
    EXPECT_EQ(inv.Bus(1).GetCenter(), CPoint(286, y0 - 20));
}

TEST_F(GateDrawingTest, BlackBoxShowsItsLabelAndNoSymbol)
{
    auto render = [&](CXOFpoort& gate) {
        m_dc.FillSolidRect(CRect(0, 0, 400, -400), RGB(255, 255, 255));
        Draw(gate, 50, -60);
        return m_dc.Bitmap().copy(50, 60, 256, 152);
    };
    CXOFpoort plain, hidden, renamed;
    hidden.SetBlackbox(true);
    hidden.m_strBlackboxLabel = plain.m_strName;
    renamed.m_strName = QStringLiteral("Poort A");
    const QImage withSymbol = render(plain);
    EXPECT_NE(render(hidden), withSymbol) << "same caption, but the symbol is gone";
    EXPECT_NE(render(renamed), withSymbol) << "a new name is a new caption";
}

} // namespace
