#pragma once
// The shared board fixture with helpers that put worksheets with a given title into
// the program folder.

#include "support/BoardFixture.h"

class LibraryFixture : public BoardFixture {
protected:
    // An empty board with this title.
    QByteArray Board(const QString& title) const
    {
        CVeldtrakDoc writer;
        writer.m_strBoardTitle = title;
        return WriteBoard(writer);
    }
    void WriteWorksheet(const QString& relative, const QString& title) const
    {
        WriteFile(relative, Board(title));
    }
    void MakeFolder(const QString& relative) const { QDir().mkpath(Path(relative)); }
};
