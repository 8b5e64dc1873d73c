// The editing repaint gives the pixels recorded earlier (tests/fixtures/repaint-
// pixels.txt, a map of the ink with exact figures per band of rows), whatever the
// drawing code path caches: boards with every kind of component, black boxes, overlaps
// and wires, and the shipped worksheets, at the origin and scrolled. A second full
// repaint and a repaint of a part must give exactly the pixels of the first. After an
// intended change of the board's look, record anew with VT_RECORD_REPAINT_PIXELS=1 and
// say in the commit why the new picture is right.
#include "support/PixelText.h"
#include "support/ShippedWorksheets.h"
#include "BoardViewFixture.h"

#include "components/ComponentFactory.h"
#include "components/TwoInputGate.h"

#include <QDirIterator>
#include <QScrollBar>

namespace {

QString FixturePath()
{
    return QStringLiteral(VT_FIXTURES "/repaint-pixels.txt");
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

    // The surface after a full repaint at the origin and scrolled, as text; painting
    // again, whole or a part, must not change a pixel.
    QStringList Paints(const QString& name)
    {
        QStringList lines;
        view->horizontalScrollBar()->setValue(0);
        view->verticalScrollBar()->setValue(0);
        Refresh();
        const QImage whole = view->Surface();
        lines << QStringLiteral("== ") + name + QStringLiteral(" whole") << PixelText(whole);
        Refresh(); // twice: what the first paint may have kept must draw the same
        EXPECT_TRUE(view->Surface() == whole) << name.toStdString() << " painted again";
        view->horizontalScrollBar()->setValue(97);
        view->verticalScrollBar()->setValue(211);
        Paint();
        const QImage scrolled = view->Surface();
        lines << QStringLiteral("== ") + name + QStringLiteral(" scrolled") << PixelText(scrolled);
        view->viewport()->repaint(QRect(130, 90, 333, 257));
        EXPECT_TRUE(view->Surface() == scrolled) << name.toStdString() << " part painted again";
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
    QString picture;
    int reported = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(u"== "))
            picture = lines[i];
        if (lines[i] != recorded[i] && ++reported <= 20)
            ADD_FAILURE() << picture.toStdString() << "\n  now:      " << lines[i].toStdString()
                          << "\n  recorded: " << recorded[i].toStdString();
    }
    EXPECT_EQ(reported, 0) << "bands that differ (the first 20 are shown)";
}

} // namespace
