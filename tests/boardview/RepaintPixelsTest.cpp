// The editing repaint gives the pixels recorded earlier (tests/fixtures/repaint-
// pixels.txt), whatever the drawing code path caches: boards with every kind of
// component, black boxes, overlaps and wires, and the shipped worksheets, at the
// origin and scrolled, whole and in parts. After an intended change of the board's
// look, record anew with VT_RECORD_REPAINT_PIXELS=1 and say why in the commit.
#include "support/ShippedWorksheets.h"
#include "BoardViewFixture.h"

#include "components/ComponentFactory.h"
#include "components/TwoInputGate.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QScrollBar>

namespace {

QString FixturePath()
{
    return QStringLiteral(VT_FIXTURES "/repaint-pixels.txt");
}

QString Digest(const QImage& image)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const quint32 p = image.pixel(x, y) & 0xFFFFFF;
            hash.addData(QByteArrayView(reinterpret_cast<const char*>(&p), sizeof p));
        }
    return QString::fromLatin1(hash.result().toHex().left(16));
}

class RepaintPixelsTest : public BoardViewFixture {
protected:
    // Every kind twice, some gates as black boxes, some overlapping, outputs wired on.
    void FillWithEveryKind()
    {
        doc->DeleteContents();
        for (int round = 0; round < 2; ++round)
            for (int index = 0; index < kCreationIndexCount; ++index) {
                std::unique_ptr<CComponent> c = doc->CreateComponent(index);
                if (!c || c->GetTypeId() == TYPE_SONDE)
                    continue;
                const int slot = int(doc->m_components.size());
                c->MoveTo(40 + 690 * (slot % 7) + 37 * round, -40 - 410 * (slot / 7));
                if (auto* gate = dynamic_cast<CTwoInputGate*>(c.get()); gate && round == 1) {
                    gate->SetBlackbox(true);
                    gate->m_strBlackboxLabel = QStringLiteral("doos %1").arg(slot);
                }
                doc->AddComponent(std::move(c));
            }
        for (int i = 0; i < 6; ++i) { // a heap of gates on top of each other
            auto c = doc->CreateComponent(3 + (i % 2) * 7);
            c->MoveTo(300 + 60 * i, -2000 - 45 * i);
            doc->AddComponent(std::move(c));
        }
        doc->LayOutSockets();
        for (std::size_t i = 0; i + 1 < doc->m_components.size(); i += 2) {
            const CComponent& a = *doc->m_components[i];
            const CComponent& b = *doc->m_components[i + 1];
            auto wire = std::make_unique<CDraad>();
            wire->AddPoint({0, 0}, a.Bus(a.GetBusCount() - 1).GetId(), 30);
            wire->AddPoint({0, 0}, b.Bus(0).GetId(), 30);
            doc->AddWire(std::move(wire));
        }
        doc->RouteWireEnds();
    }

    // The surface after a full repaint at the origin, scrolled, and after a part of it
    // was painted again.
    QStringList Paints(const QString& name)
    {
        QStringList lines;
        view->horizontalScrollBar()->setValue(0);
        view->verticalScrollBar()->setValue(0);
        Refresh();
        lines << name + QStringLiteral(" whole ") + Digest(view->Surface());
        Refresh(); // twice: what the first paint may have kept must draw the same
        lines << name + QStringLiteral(" again ") + Digest(view->Surface());
        view->horizontalScrollBar()->setValue(97);
        view->verticalScrollBar()->setValue(211);
        Paint();
        lines << name + QStringLiteral(" scrolled ") + Digest(view->Surface());
        view->viewport()->repaint(QRect(130, 90, 333, 257));
        lines << name + QStringLiteral(" part ") + Digest(view->Surface());
        return lines;
    }

    QStringList AllPaints()
    {
        ShowBoard(QSize(1100, 900));
        QStringList lines;
        FillWithEveryKind();
        lines << Paints(QStringLiteral("alles"));
                const QStringList files = ShippedWorksheetFiles();
        for (const QString& file : files) {
            EXPECT_TRUE(doc->OnOpenDocument(WindowsName(file))) << file.toStdString();
            lines << Paints(QFileInfo(file).completeBaseName());
        }
        return lines;
    }
};

TEST_F(RepaintPixelsTest, TheEditingRepaintGivesTheRecordedPixels)
{
    const QStringList lines = AllPaints();
    QFile file(FixturePath());
    if (qEnvironmentVariableIsSet("VT_RECORD_REPAINT_PIXELS")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write((lines.join(u'\n') + u'\n').toLatin1());
        GTEST_SKIP() << "recorded " << lines.size() << " lines";
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no recorded pixels";
    const QStringList recorded = QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), recorded.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].toStdString(), recorded[i].toStdString());
}

} // namespace
