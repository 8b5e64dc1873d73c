#pragma once
// The program as a user starts it: the application object with its arguments, in a
// program folder of its own, its main window shown, and the start-up sequence run
// (without its pauses) up to the start menu or the board named on the command line.

#include "boardview/BoardView.h"
#include "boardview/StartupImages.h"
#include "shell/MainFrame.h"
#include "shell/PaletteView.h"
#include "shell/TeacherGate.h"
#include "shell/VeldtrakApp.h"
#include "platform/Clock.h"
#include "platform/ModalRunner.h"
#include "platform/TeacherPassword.h"
#include "support/BoardFixture.h"
#include "support/ScriptedModals.h"

#include <QLineEdit>
#include <QTest>

#include <cmath>
#include <memory>

class AppFixture : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        doc.reset(); // the program makes its own
        m_previousPause = SetPauseHandler([](int) {});
        // Recovery copies stay in the test's own folder (a child program may be given one).
        m_bOwnRecoveryFolder = qEnvironmentVariableIsEmpty("VT_RECOVERY_DIR");
        if (m_bOwnRecoveryFolder)
            qputenv("VT_RECOVERY_DIR", QFile::encodeName(Path(QStringLiteral("herstel"))));
        // The program folder is the test's own; so is the teacher-mode password file.
        SetTeacherPasswordFile(Path(QLatin1String(kTeacherPasswordFileName)));
    }
    void TearDown() override
    {
        app.reset();
        SetTeacherPasswordFile(QString());
        if (m_bOwnRecoveryFolder)
            qunsetenv("VT_RECOVERY_DIR");
        SetPauseHandler(std::move(m_previousPause));
        BoardFixture::TearDown();
    }

    // Starts the program with these arguments and runs the start-up sequence as its
    // timer would after the first paint.
    void Start(const QStringList& arguments = {})
    {
        app = std::make_unique<CVeldtrakApp>();
        ASSERT_TRUE(app->InitInstance(arguments));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
        Board().viewport()->repaint(); // the first paint starts the start-up timer
        ASSERT_TRUE(Board().IsTimerActive(CBoardView::kStartupTimer));
        Board().OnTimer(CBoardView::kStartupTimer);
    }

    static constexpr const char* kTeacherPassword = "natuurkunde";
    // Starts the program as the teacher does: with /docent, typing the teacher-mode
    // password at the prompt that comes before the window. Other dialogs go to whoever
    // answered them before.
    void StartAsTeacher(QStringList arguments = {})
    {
        if (!QFileInfo::exists(TeacherPasswordFile())) {
            ASSERT_EQ(WriteTeacherPassword(TeacherPasswordFile(), QLatin1String(kTeacherPassword)),
                      QString());
        }
        struct TypesThePassword {
            ModalHandler previous = SetModalHandler([this](QDialog& dialog) {
                if (auto* prompt = qobject_cast<CTeacherPasswordDlg*>(&dialog)) {
                    prompt->findChild<QLineEdit*>(QStringLiteral("edit1021"))
                        ->setText(QLatin1String(kTeacherPassword));
                    return int(QDialog::Accepted);
                }
                if (previous)
                    return previous(dialog);
                ADD_FAILURE() << "an unexpected dialog: " << dialog.windowTitle().toStdString();
                return int(QDialog::Rejected);
            });
            ~TypesThePassword() { SetModalHandler(std::move(previous)); }
        } teacher;
        Start(arguments << QStringLiteral("/docent"));
    }

    // The three worksheets of the start menu, each with one component.
    void WriteMenuWorksheets()
    {
        WriteWorksheet("invoer en uitvoer/invoer.wks", "Invoer");
        WriteWorksheet("praktisch/auto_licht.wks", "Autolicht");
        WriteWorksheet("blackbox/blackbox1.wks", "Blackbox");
    }
    // A worksheet with this title holding one inverter.
    void WriteWorksheet(const QString& relative, const QString& title)
    {
        CVeldtrakDoc writer;
        writer.m_strBoardTitle = title;
        std::unique_ptr<CComponent> c = writer.CreateComponent(6);
        c->MoveTo(200, -200);
        writer.AddComponent(std::move(c));
        WriteFile(relative, WriteBoard(writer));
    }

    // The pixel of the start menu's button (1-4) centre, in the board pane: the image
    // is the first thing drawn from the top, just inside its frame. The surface has the
    // screen's device pixels.
    QPoint StartMenuButton(int button) const
    {
        Board().viewport()->repaint();
        const QImage& s = Board().Surface();
        const double ratio = Board().viewport()->devicePixelRatioF();
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x)
                if ((s.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    const CRect hot = kStartMenuHotAreas[std::size_t(button - 1)];
                    return QPoint(int(std::lround(x / ratio)) + 1 + (hot.left + hot.right) / 2,
                                  int(std::lround(y / ratio)) + 1 + (hot.top + hot.bottom) / 2);
                }
        return QPoint(-1, -1);
    }

    // Clicks a start menu button as the pupil does.
    void ClickStartMenu(int button)
    {
        const QPoint at = StartMenuButton(button);
        QTest::mouseMove(Board().viewport(), at);
        QTest::mouseClick(Board().viewport(), Qt::LeftButton, {}, at);
    }

    // A component of this creation index on the running program's board, shown.
    CComponent* PlaceOnBoard(int creationIndex, int x, int y)
    {
        std::unique_ptr<CComponent> c = Doc().CreateComponent(creationIndex);
        c->MoveTo(x, y);
        CComponent* raw = c.get();
        Doc().AddComponent(std::move(c));
        Doc().LayOutSockets();
        Doc().UpdateAllViews(0);
        Board().viewport()->repaint();
        return raw;
    }
    QPoint Pixel(CPoint board) const { return Board().BoardToClient(board); }

    CVeldtrakDoc& Doc() const { return *app->Document(); }
    CMainFrame* Frame() const { return app->MainFrame(); }
    CBoardView& Board() const { return Frame()->BoardPane(); }
    CVeldtrakView& Palette() const { return Frame()->PalettePane(); }

    // Chooses a command as its menu item would, once the frame caught up.
    void Run(int id)
    {
        Frame()->UpdateCommandUI();
        Frame()->Action(id)->trigger();
    }
    bool Enabled(int id)
    {
        Frame()->UpdateCommandUI();
        return Frame()->Action(id)->isEnabled();
    }

    // A wire from one socket to another, as the board stores it.
    void Connect(const CBus& from, const CBus& to)
    {
        auto wire = std::make_unique<CDraad>();
        wire->AddPoint(from.GetCenter(), from.GetId(), 30);
        wire->AddPoint(to.GetCenter(), to.GetId(), 30);
        Doc().AddWire(std::move(wire));
    }
    // Measurement ticks, as the board's timer gives them.
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            Board().OnTimer(CBoardView::kMeasureTimer);
    }

    std::unique_ptr<CVeldtrakApp> app;

private:
    std::function<void(int)> m_previousPause;
    bool m_bOwnRecoveryFolder = false;
};
