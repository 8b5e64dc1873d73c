#pragma once
// The fixture most board tests start from: a document in a program folder of its own
// (a temporary folder), every stored class registered, the measurement allowed, and
// helpers to put files, components, wires and probes on it.

#include "annotations/AnnotationClasses.h"
#include "components/Sonde.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/Paths.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A probe with this number on this socket, added to the board.
inline CComponent* AddProbe(CVeldtrakDoc& doc, int bus, int number)
{
    auto probe = std::make_unique<CSonde>();
    doc.m_nLastBusId = probe->NumberBuses(doc.m_nLastBusId);
    probe->m_nParam1 = bus;
    probe->m_nParam2 = number;
    CComponent* raw = probe.get();
    doc.AddComponent(std::move(probe));
    return raw;
}

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

class BoardFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterBoardClasses();
        RegisterAnnotationClasses();
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

    // A file below the program folder (by its path with "/").
    QString Path(const QString& relative) const { return m_folder.path() + u'/' + relative; }
    QString Stored(const QString& relative) const { return WindowsName(Path(relative)); }
    void WriteFile(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        // A new file each time: truncating one makes some file systems wait for the disk.
        QFile::remove(Path(relative));
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative.toStdString();
        file.write(bytes);
    }
    QByteArray ReadFile(const QString& relative) const
    {
        QFile file(Path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A component of the given creation index at a place, added to the board.
    CComponent* Place(int creationIndex, int x, int y)
    {
        std::unique_ptr<CComponent> c = doc->CreateComponent(creationIndex);
        c->MoveTo(x, y);
        CComponent* raw = c.get();
        doc->AddComponent(std::move(c));
        return raw;
    }
    // A wire between two sockets, given by number.
    void Wire(int from, int to)
    {
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, from, 30);
        wire->AddPoint({0, 0}, to, 30);
        doc->AddWire(std::move(wire));
    }

    std::unique_ptr<CVeldtrakDoc> doc;

private:
    QTemporaryDir m_folder;
    QString m_previousFolder;
};
