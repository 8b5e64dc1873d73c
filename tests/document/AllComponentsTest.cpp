#include "DocFixture.h"

#include "components/ComponentFactory.h"
#include "platform/DrawContext.h"
#include "platform/Strings.h"

namespace {

class AllComponentsTest : public DocFixture {
protected:
    // One component of every creation index, in a grid, with parameters that differ.
    void FillWithEveryClass()
    {
        for (int index = 0; index < kCreationIndexCount; ++index) {
            CComponent* c = Place(index, 100 + 700 * (index % 5), -100 - 500 * (index / 5));
            c->m_nParam4 = 1000 + index;
        }
        doc->LayOutSockets();
    }
};

TEST_F(AllComponentsTest, EveryClassIsCreatedNamedAndDrawn)
{
    FillWithEveryClass();
    ASSERT_EQ(doc->m_components.size(), std::size_t(kCreationIndexCount));
    for (int index = 0; index < kCreationIndexCount; ++index) {
        const CComponent& c = *doc->m_components[std::size_t(index)];
        EXPECT_EQ(CreationIndexOfType(c.GetTypeId()), index);
        EXPECT_EQ(c.m_strName, LoadString(int(c.GetTypeId()))) << c.GetClassName();
        EXPECT_FALSE(c.m_strName.isEmpty()) << c.GetClassName();
    }
}

TEST_F(AllComponentsTest, EveryFieldAndSocketNumberSurvivesTheFile)
{
    FillWithEveryClass();
    const QByteArray bytes = WriteBoard(*doc);
    ScriptedModals none;
    doc->m_strFolderOutput.clear();
    ASSERT_TRUE(doc->OnSaveDocument(Stored(QStringLiteral("alles.wks"))));
    ASSERT_TRUE(doc->OnOpenDocument(Stored(QStringLiteral("alles.wks"))));
    ASSERT_EQ(doc->m_components.size(), std::size_t(kCreationIndexCount));
    for (int index = 0; index < kCreationIndexCount; ++index) {
        const CComponent& c = *doc->m_components[std::size_t(index)];
        EXPECT_EQ(c.m_nParam4, 1000 + index) << c.GetClassName();
        EXPECT_EQ(CreationIndexOfType(c.GetTypeId()), index);
    }
    EXPECT_EQ(WriteBoard(*doc), bytes) << "read back, the board writes the same bytes";
    EXPECT_EQ(doc->m_nLastBusId, doc->m_components.back()->GetBusRange().second);
}

TEST_F(AllComponentsTest, AMeasurementOverEveryClassRunsAndResets)
{
    FillWithEveryClass();
    CMemoryDC dc(64, 64);
    doc->Start();
    for (int tick = 0; tick < 50; ++tick)
        doc->Tick(dc, CPoint(0, 0), tick % 2 ? STATE_LEFT_BUTTON | STATE_SHIFT : STATE_UP_RIGHT);
    doc->ResetComponents(dc);
    doc->Stop();
    doc->UnlinkAll();
    for (const auto& c : doc->m_components)
        for (int i = 0; i < c->GetBusCount(); ++i)
            EXPECT_LE(std::abs(c->Bus(i).m_nValue), 500) << c->GetClassName() << " socket " << i;
}

} // namespace
