#pragma once
// A main window over a document in a program folder of its own.

#include "document/DocFixture.h"
#include "shell/MainFrame.h"

#include <QAction>

#include <memory>
#include <utility>
#include <vector>

// Remembers every update hint the document sends.
class RecordingView : public CDocView {
public:
    explicit RecordingView(CVeldtrakDoc& doc) : m_doc(doc) { m_doc.AddView(this); }
    ~RecordingView() override { m_doc.RemoveView(this); }
    void OnUpdate(int hint, int argument) override { hints.emplace_back(hint, argument); }
    bool Received(int hint) const
    {
        for (const auto& h : hints)
            if (h.first == hint) return true;
        return false;
    }
    std::vector<std::pair<int, int>> hints;

private:
    CVeldtrakDoc& m_doc;
};

class FrameFixture : public DocFixture {
protected:
    void SetUp() override
    {
        DocFixture::SetUp();
        frame = std::make_unique<CMainFrame>(*doc);
    }
    void TearDown() override
    {
        frame.reset();
        DocFixture::TearDown();
    }

    // The state of a command's menu item and button after the frame caught up.
    bool Enabled(int id)
    {
        frame->UpdateCommandUI();
        return frame->Action(id)->isEnabled();
    }
    bool Checked(int id)
    {
        frame->UpdateCommandUI();
        return frame->Action(id)->isChecked();
    }

    // Chooses the command's menu item, as soon as the frame caught up with the board.
    void Run(int id)
    {
        frame->UpdateCommandUI();
        frame->Action(id)->trigger();
    }

    std::unique_ptr<CMainFrame> frame;
};
