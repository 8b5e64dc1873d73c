#pragma once
// A document in a program folder of its own (a temporary folder), with every stored
// class registered and the measurement allowed.

#include "annotations/AnnotationClasses.h"
#include "components/Sonde.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/Paths.h"
#include "support/ScriptedModals.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

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

class DocFixture : public ::testing::Test {
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
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadFile(const QString& relative) const
    {
        QFile file(Path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A gate of the given creation index at a place, added to the board.
    CComponent* Place(int creationIndex, int x, int y)
    {
        std::unique_ptr<CComponent> c = doc->CreateComponent(creationIndex);
        c->MoveTo(x, y);
        CComponent* raw = c.get();
        doc->AddComponent(std::move(c));
        return raw;
    }
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

// Creation indexes of the gates.
enum { AND_GATE = 3, INVERTER = 6, NAND_GATE = 10, NOR_GATE = 11, OR_GATE = 12, XOR_GATE = 22 };
