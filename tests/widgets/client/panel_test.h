#pragma once
// A board panel over a recorded game client, redrawn whenever the session
// says so, as the main window does.

#include "../../unit/client/recording_output.h"

#include "client/qt/board_panel.h"
#include "net/qt/tsock.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvex::testing {

struct PanelOutput : RecordingOutput
{
    BoardPanel *panel = nullptr;
    bool linkLost = false;
    // Where sent messages also go, when a test puts them on a real socket.
    TSock *wireSocket = nullptr;
    void send(const std::string &bytes) override
    {
        if (linkLost)
            throw std::runtime_error("Socket Closed");
        RecordingOutput::send(bytes);
        if (wireSocket)
            wireSocket->Send(bytes);
    }
    void modelChanged() override
    {
        RecordingOutput::modelChanged();
        if (panel)
            panel->refresh();
    }
};

class PanelTest : public ::testing::Test
{
protected:
    RecordedClient<PanelOutput> recorded;
    PanelOutput &out = recorded.out;
    ClientSession &session = recorded.client.session();
    std::unique_ptr<BoardPanel> panel;

    void SetUp() override
    {
        panel = std::make_unique<BoardPanel>(session);
        out.panel = panel.get();
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }
    void TearDown() override
    {
        out.panel = nullptr;
        out.wireSocket = nullptr;
    }

    void feed(std::string_view line) { session.handleLine(line); }
    template <typename T = QWidget> T *control(const char *name)
    {
        T *widget = panel->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

} // namespace kalvex::testing
