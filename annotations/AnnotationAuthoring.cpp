#include "AnnotationAuthoring.h"

#include "Picture.h"
#include "Table.h"
#include "TableDlg.h"
#include "TextDlg.h"
#include "TextField.h"
#include "document/Document.h"
#include "platform/DrawContext.h"


namespace {

// The document owns these dialogs and may outlive every window: they have no parent.
class CNewAnnotationDialogs : public CAuthoringDialogs {
public:
    bool EditNewTextField() override
    {
        if (!m_pText)
            m_pText = std::make_unique<CTextDlg>();
        m_pText->m_strText.clear();
        m_pText->m_nFrame = 1;
        return m_pText->Run() == CTextDlg::ID_OK;
    }

    bool EditNewTable() override
    {
        if (!m_pTable)
            m_pTable = std::make_unique<CTableDlg>();
        m_pTable->m_contents = CTableContents();
        return m_pTable->Run() == CTableDlg::ID_OK;
    }

    std::unique_ptr<CBoardObject> NewTextField() override
    {
        auto field = std::make_unique<CTextField>();
        if (m_pText)
            field->SetText(m_pText->m_strText, m_pText->m_nFrame);
        return field;
    }

    std::unique_ptr<CBoardObject> NewTable() override
    {
        auto table = std::make_unique<CTabel>();
        if (m_pTable)
            table->SetContents(m_pTable->m_contents);
        return table;
    }

private:
    std::unique_ptr<CTextDlg> m_pText;
    std::unique_ptr<CTableDlg> m_pTable;
};

} // namespace

void InstallAnnotationAuthoring(CVeldtrakDoc& doc)
{
    if (!doc.m_pAuthoring)
        doc.m_pAuthoring = std::make_unique<CNewAnnotationDialogs>();
}

void LayOutAnnotations(CVeldtrakDoc& doc, int dpi)
{
    CMemoryDC dc(1, 1, dpi);
    for (const ObjectList* list : {&doc.m_textFields, &doc.m_tables, &doc.m_pictures})
        for (const auto& object : *list)
            object->Draw(dc);
}
