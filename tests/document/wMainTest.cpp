#include <gtest/gtest.h>

#include <QApplication>

#include "document/wMain.h"
#include "framework/Testing.h"
#include "framework/Window.h"

namespace {

// The main window of one test, closed and deleted with it.
class FinestraPrincipale : public ::testing::Test {
  protected:
    void TearDown() override {
        if (fw::ImplicitExists<vx::wMain>()) ::wMain().Close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    vx::wMain& w = ::wMain();
};

TEST_F(FinestraPrincipale, NasceConLaTelaEDueBarre) {
    EXPECT_EQ(w.Title(), "Velarix");
    EXPECT_EQ(w.Width(), 584);
    EXPECT_EQ(w.Height(), 612);
    ASSERT_EQ(w.ControlNamed("DragCanvas1"), w.DragCanvas1.get());
    ASSERT_EQ(w.ControlNamed("sbVert"), w.sbVert.get());
    ASSERT_EQ(w.ControlNamed("sbOrizz"), w.sbOrizz.get());

    struct Atteso {
        fw::Control* c;
        int l, t, wd, h;
        bool sx, su, dx, giu;
    };
    const Atteso attesi[] = {
        {w.DragCanvas1.get(), 0, 0, 568, 596, true, true, true, true},
        {w.sbVert.get(), 568, 0, 16, 600, false, true, true, true},
        {w.sbOrizz.get(), 0, 596, 569, 16, true, false, true, true},
    };
    for (const auto& a : attesi) {
        SCOPED_TRACE(a.c->Name());
        EXPECT_EQ(a.c->Left(), a.l);
        EXPECT_EQ(a.c->Top(), a.t);
        EXPECT_EQ(a.c->Width(), a.wd);
        EXPECT_EQ(a.c->Height(), a.h);
        EXPECT_EQ(a.c->LockLeft, a.sx);
        EXPECT_EQ(a.c->LockTop, a.su);
        EXPECT_EQ(a.c->LockRight, a.dx);
        EXPECT_EQ(a.c->LockBottom, a.giu);
    }
    EXPECT_FALSE(w.DragCanvas1->modificato);
    EXPECT_NE(w.DragCanvas1->palette, nullptr);
    EXPECT_EQ(w.oper, 0);
    EXPECT_EQ(w.nomeFileConfig, "");
}

}  // namespace
