#pragma once

// The application object as the program's start-up leaves it: the identity
// strings, the menu bar with the two application commands, and the preferences
// file in a fresh folder of its own.

#include <QApplication>
#include <memory>
#include <optional>
#include <string>

#include "Aiuti.h"
#include "dialogs/wInfo.h"
#include "dialogs/wPreferenze.h"
#include "document/App.h"
#include "document/Menu.h"
#include "framework/Menus.h"
#include "framework/Testing.h"
#include "framework/Window.h"

namespace prova {

class ApplicazioneProva {
  public:
    // righe: the preferences file's bytes; none, no file.
    explicit ApplicazioneProva(std::optional<std::string> righe = "DejaVu Sans\r10\r") {
        fw::testing::SetPreferencesFolder(cartella.Percorso());
        if (righe) cartella.Scrivi("Velarix pref", *righe);
        app.Identifica(2026);
        app.pref = std::make_shared<::Preferenze>();
        app.pref->Esiste();
        app.Collega();
    }
    ~ApplicazioneProva() {
        if (fw::ImplicitExists<vx::wPreferenze>()) ::wPreferenze().Close();
        if (fw::ImplicitExists<vx::wInfo>()) ::wInfo().Close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Chooses a menu item as the user does; false when it was disabled.
    bool Scegli(const std::string& nome) {
        fw::MenuItem* voce = fw::FindMenuItem(Menu(), nome);
        return voce && voce->Choose();
    }
    std::string FilePreferenze() const { return cartella.Leggi("Velarix pref"); }

    Cartella cartella;
    vx::App app;
};

}  // namespace prova
