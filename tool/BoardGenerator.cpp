#include "BoardGenerator.h"

#include "components/ComponentFactory.h"
#include "document/Document.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kInverter = 6;
constexpr int kPulseGenerator = 13;
constexpr int kGates[] = {10, 11, 22, 3, 12}; // NAND, NOR, XOR, AND, OR: every one flips
constexpr CSize kPitch(300, 200);
constexpr int kColumns = 26; // 26 x 300 units fit the board's width
constexpr int kRows = 55;    // and 55 x 200 its height; larger boards overlap

CComponent& Place(CVeldtrakDoc& doc, int creationIndex, int slot)
{
    std::unique_ptr<CComponent> c = doc.CreateComponent(creationIndex);
    const int cell = slot % (kColumns * kRows);
    c->MoveTo(40 + kPitch.cx * (cell % kColumns), -40 - kPitch.cy * (cell / kColumns));
    CComponent& placed = *c;
    doc.AddComponent(std::move(c));
    return placed;
}

int FirstOfKind(const CComponent& c, int kind, int skip = 0)
{
    for (int i = 0; i < c.GetBusCount(); ++i)
        if (c.Bus(i).GetKind() == kind && skip-- == 0)
            return c.Bus(i).GetId();
    return 0;
}

// The generator knows its wires are all different, so it skips the document's search
// for a duplicate (which would make generating large boards quadratic).
void Wire(CVeldtrakDoc& doc, int output, int input)
{
    auto wire = std::make_unique<CDraad>();
    wire->AddPoint({0, 0}, output, 30);
    wire->AddPoint({0, 0}, input, 30);
    doc.m_wires.push_back(std::move(wire));
}

} // namespace

bool ParseBoardShape(const QString& name, BoardShape& shape)
{
    if (name == u"keten" || name == u"chain")
        shape = BoardShape::Chain;
    else if (name == u"rooster" || name == u"grid")
        shape = BoardShape::Grid;
    else
        return false;
    return true;
}

void GenerateBoard(CVeldtrakDoc& doc, BoardShape shape, int count)
{
    doc.DeleteContents();
    count = std::max(count, 1);
    doc.m_components.reserve(std::size_t(count));
    if (shape == BoardShape::Chain) {
        for (int i = 0; i < count; ++i)
            Place(doc, kInverter, i);
    } else {
        Place(doc, kPulseGenerator, 0);
        for (int i = 1; i < count; ++i)
            Place(doc, kGates[(i - 1) % std::size(kGates)], i);
    }
    // The kinds of the sockets are known once each component has drawn.
    doc.LayOutSockets();
    const auto& parts = doc.m_components;
    if (shape == BoardShape::Chain) {
        for (std::size_t i = 1; i < parts.size(); ++i)
            Wire(doc, FirstOfKind(*parts[i - 1], BUS_OUTPUT), FirstOfKind(*parts[i], BUS_INPUT));
    } else {
        // Layers as wide as the square root of the gate count; every gate reads two
        // neighbouring outputs of the layer before, the first layer the pulse generator.
        const int gates = count - 1;
        const int width = std::max(1, int(std::sqrt(double(gates))));
        for (int g = 0; g < gates; ++g) {
            const CComponent& gate = *parts[std::size_t(1 + g)];
            const int layer = g / width, column = g % width;
            for (int input = 0; input < 2; ++input) {
                int from = 0; // the pulse generator
                if (layer > 0)
                    from = 1 + (layer - 1) * width + (column + input) % width;
                Wire(doc, FirstOfKind(*parts[std::size_t(from)], BUS_OUTPUT),
                     FirstOfKind(gate, BUS_INPUT, input));
            }
        }
        parts[0]->m_nParam1 = 10; // 10 Hz: a pulse every other tick
    }
    doc.RouteWireEnds();
    doc.SetModifiedFlag(false);
}
