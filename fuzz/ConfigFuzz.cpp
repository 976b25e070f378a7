// Arbitrary bytes as the configuration file, through the real reader and writer:
// the bytes are the file in a program folder of their own, the main window
// opens it and saves it back. Every dialog is answered at once.
//
// Beyond crashes it checks that what the writer wrote reads back to the same
// bytes (an infinite size, written "INF", is the one text that does not).

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/App.h"
#include "document/wMain.h"
#include "framework/Application.h"
#include "framework/Testing.h"
#include "palette/wPalette.h"

namespace {

QTemporaryDir* cartella = nullptr;

std::string Leggi(const QString& percorso) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) return "<assente>";
    QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

void Scrivi(const QString& percorso, const uint8_t* dati, size_t n) {
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(reinterpret_cast<const char*>(dati), static_cast<qint64>(n));
}

// The layout a fresh window shows, so that no input depends on the one before.
void Azzera(vx::wMain& w) {
    DragCanvas& c = *w.DragCanvas1;
    c.vCampi.clear();
    c.ResetSfondo();
    c.vSezioni[0]->posizY = 100;
    c.vSezioni[1]->posizY = 150;
    c.vSezioni[2]->posizY = 350;
    c.modificato = false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char nome[] = "velarix_fuzz";
    static char* argv[] = {nome, nullptr};
    new QApplication(argc, argv);
    // Names with a NUL byte make the toolkit warn on every input.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Dialogs are answered with their cancel button and nothing waits.
    fw::testing::Enable([](const fw::String&) {});
    cartella = new QTemporaryDir;
    fw::testing::SetProgramFolder(cartella->path().toStdString() + "/");
    if (!fw::Application::Instance()) new vx::App;
    if (!fw::Application::Instance() || ::wPalette().lbCodCampi.empty()) {
        // Until the program has both there is nothing to read a file into.
        std::fprintf(stderr, "velarix_fuzz: skipped, no application object or palette yet\n");
        std::exit(0);
    }
    ::App().VXVer = "1.0.4";
    ::App().VXHead = "27-04-2017";
    ::wMain().Show();
    ::wMain().nomeFileConfig = "FIp.txt";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    vx::wMain& w = ::wMain();
    const QString file = cartella->path() + "/FIp.txt";
    Azzera(w);
    Scrivi(file, dati, n);
    fw::testing::ClearShown();

    w.ApriFile();
    w.DragCanvas1->modificato = true;
    if (!w.RegistraFile()) return 0;  // more than 30 fixed texts: refused
    std::string scritto = Leggi(file);

    Azzera(w);
    w.ApriFile();
    w.DragCanvas1->modificato = true;
    if (!w.RegistraFile()) std::abort();  // what it wrote, it must write again
    if (Leggi(file) != scritto && scritto.find("INF") == std::string::npos) {
        std::fprintf(stderr, "velarix_fuzz: a written file reads back differently\n");
        std::abort();
    }
    return 0;
}
