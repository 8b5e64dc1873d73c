#pragma once
// A document in a temporary program folder, with helpers that put worksheets with a
// given title into it and a view that logs the document's update hints.

#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

// Writes every hint the document sends into a log, as "hint <hint> <argument>".
class CHintLog : public CDocView {
public:
    explicit CHintLog(QStringList& log) : m_log(log) {}
    void OnUpdate(int hint, int argument) override
    {
        m_log << QStringLiteral("hint %1 %2").arg(hint).arg(argument);
    }

private:
    QStringList& m_log;
};

class LibraryFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterBoardClasses();
        ASSERT_TRUE(m_folder.isValid());
        m_previousFolder = QDir::currentPath();
        SetProgramFolder(m_folder.path());
        doc = std::make_unique<CVeldtrakDoc>();
        doc->m_bBusy = false;
    }
    void TearDown() override
    {
        doc.reset();
        SetProgramFolder(QString());
        QDir::setCurrent(m_previousFolder);
    }

    // A file below the program folder, by its path with "/".
    void WriteFile(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = m_folder.path() + u'/' + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative.toStdString();
        file.write(bytes);
    }
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
    void MakeFolder(const QString& relative) const
    {
        QDir().mkpath(m_folder.path() + u'/' + relative);
    }

    std::unique_ptr<CVeldtrakDoc> doc;

private:
    QTemporaryDir m_folder;
    QString m_previousFolder;
};
