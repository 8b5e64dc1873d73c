#include "Classroom.h"

#include "RestrictedSaveDlg.h"
#include "WorksheetLibrary.h"
#include "document/Document.h"

QString RestrictedSaveName(CVeldtrakDoc& doc)
{
    QString name = AskRestrictedSaveName(doc);
    if (!name.isEmpty() && !name.contains(u'.')) name += QStringLiteral(".wks");
    return name;
}

void InstallClassroomDialogs(CVeldtrakDoc& doc)
{
    doc.m_askRestrictedSaveName = [&doc] { return RestrictedSaveName(doc); };
    doc.m_boardSaved = [&doc](const QString& path) { NoteSavedWorksheet(doc, path); };
}
