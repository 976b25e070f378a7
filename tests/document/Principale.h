#pragma once

// The main window as the program makes it, in fresh program and preferences
// folders; the windows of one test are closed and deleted with it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "Aiuti.h"
#include "dialogs/wInfo.h"
#include "dialogs/wPreferenze.h"
#include "document/wMain.h"
#include "document/wNuovoApri.h"
#include "framework/Testing.h"
#include "framework/Window.h"
#include "palette/wPalette.h"

namespace prova {

// Closes an implicit window of the test, if there is one, and deletes it.
template <class T>
void Chiudi() {
    if (fw::ImplicitExists<T>()) fw::Implicit<T>().Close();
}

class Principale : public ::testing::Test {
  protected:
    void SetUp() override {
        fw::testing::SetProgramFolder(programma.Percorso());
        fw::testing::SetPreferencesFolder(preferenze.Percorso());
    }
    void TearDown() override {
        if (fw::ImplicitExists<vx::wMain>()) ::wMain().DragCanvas1->modificato = false;
        Chiudi<vx::wNuovoApri>();
        Chiudi<vx::wInfo>();
        Chiudi<vx::wPreferenze>();
        Chiudi<vx::wMain>();
        Chiudi<vx::wPalette>();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The main window shown on the screen.
    vx::wMain& Mostrata() {
        vx::wMain& w = ::wMain();
        w.Show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.Widget()));
        return w;
    }

    Cartella programma;
    Cartella preferenze;
};

}  // namespace prova
