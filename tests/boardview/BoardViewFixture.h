#pragma once
// A board view over a document in a temporary program folder, shown offscreen, with
// the sound recorded and helpers to place objects and read the surface.

#include "annotations/AnnotationClasses.h"
#include "boardview/BoardView.h"
#include "document/BoardArchive.h"
#include "document/Document.h"
#include "platform/Paths.h"
#include "platform/Sound.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Remembers what the program asked of the sound service, one line per request.
class CRecordingSound : public ISoundService {
public:
    void PlayLooping(const QString& path) override { log << "play " + QFileInfo(path).fileName(); }
    void StopAll() override { log << QStringLiteral("stop"); }
    void Beep(int frequency, int ms) override { log << QStringLiteral("beep %1 %2").arg(frequency).arg(ms); }
    QStringList log;
};

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

// Creation indexes of some gates.
enum { AND_GATE = 3, INVERTER = 6, OR_GATE = 12 };

class BoardViewFixture : public ::testing::Test {
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
        m_previousSound = SetSoundService(&sound);
    }
    void TearDown() override
    {
        view.reset();
        doc.reset();
        SetSoundService(m_previousSound);
        SetProgramFolder(QString());
        QDir::setCurrent(m_previousFolder);
    }

    // Shows the view offscreen; its first paint has happened when this returns.
    CBoardView& ShowView(QSize size = QSize(640, 480))
    {
        view = std::make_unique<CBoardView>(*doc);
        view->m_screenSize = [] { return QSize(1280, 1024); };
        view->resize(size);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        Paint();
        return *view;
    }
    // Shows the view and goes past the first paint, which draws nothing.
    CBoardView& ShowBoard(QSize size = QSize(640, 480))
    {
        ShowView(size);
        doc->UpdateAllViews(HINT_REFRESH);
        Paint();
        return *view;
    }
    void Paint() { view->viewport()->repaint(); }

    CComponent* Place(int creationIndex, int x, int y)
    {
        std::unique_ptr<CComponent> c = doc->CreateComponent(creationIndex);
        c->MoveTo(x, y);
        CComponent* raw = c.get();
        doc->AddComponent(std::move(c));
        return raw;
    }
    void Wire(int fromBus, int toBus)
    {
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint({0, 0}, fromBus, 30);
        wire->AddPoint({0, 0}, toBus, 30);
        doc->AddWire(std::move(wire));
    }

    QRgb PixelAt(CPoint board) const
    {
        return view->Surface().pixel(view->BoardToClient(board)) & 0xFFFFFF;
    }
    static bool AllWhite(const QImage& image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    return false;
        return true;
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
    // An empty worksheet with this board title.
    void WriteWorksheet(const QString& relative, const QString& title) const
    {
        CVeldtrakDoc writer;
        writer.m_strBoardTitle = title;
        WriteFile(relative, WriteBoard(writer));
    }

    CRecordingSound sound;
    std::unique_ptr<CVeldtrakDoc> doc;
    std::unique_ptr<CBoardView> view;

private:
    QTemporaryDir m_folder;
    QString m_previousFolder;
    ISoundService* m_previousSound = nullptr;
};
