#include "document/App.h"

#include "dialogs/wInfo.h"
#include "dialogs/wPreferenze.h"
#include "document/Menu.h"
#include "document/wMain.h"
#include "document/wNuovoApri.h"
#include "framework/Text.h"
#include "layout/Modulo1.h"
#include "palette/wPalette.h"

namespace vx {

namespace {
// The maker's notice; the year of the start follows the closing blank.
constexpr const char* kCreatore = "© Norvale ";
}  // namespace

void App::Identifica(fw::Integer anno) {
    VXBanner = "Velarix (F)";
    VXVer = "1.0.4";
    VXHead = "27-04-2017";
    VxCreator = kCreatore + fw::Str(anno);
}

void App::Collega() {
    SetMenuBar(&::Menu());
    AddMenuHandler("AppleInfo", [this] { return _AppleInfo_Action(); });
    AddMenuHandler("AppPreferenze", [this] { return _AppPreferenze_Action(); });
}

void App::Open() {
    Identifica(fw::Today().Year());

    pref = fw::New<Preferenze>();
    if (!pref) Modulo1::MemoriaEsaurita();
    pref->NOME = "Velarix pref";
    pref->NUM_CAMPI = 2;
    if (!pref->Esiste()) pref->Crea(false, "Arial" + fw::Chr(13) + "10" + fw::Chr(13));

    vx::wMain& principale = ::wMain();
    principale.Show();
    principale.oper = vx::wMain::kAvvio;
    if (!::wNuovoApri().Mostra()) {
        fw::Quit(0);
        return;
    }
    if (principale.oper == vx::wMain::kNuovo) {
        principale.NuovoConfig();
    } else {
        principale.ApriFile();
    }

    ::wPalette().Show();
    ::wPalette().Init();
}

bool App::_AppleInfo_Action() {
    ::wInfo().Show();
    return false;
}

bool App::_AppPreferenze_Action() {
    ::wPreferenze().Show();
    return false;
}

}  // namespace vx

vx::App& App() {
    return *static_cast<vx::App*>(fw::Application::Instance());
}
